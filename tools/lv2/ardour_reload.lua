-- ardour7-lua tools/lv2/ardour_reload.lua DIR: loads the session, prints
-- Molvex's control values as Ardour restored them, and saves it again.
local dir = arg[1]
AudioEngine:set_backend("None (Dummy)", "", "")
AudioEngine:set_sample_rate(48000)
AudioEngine:start(false)
local s = load_session(dir, "molvex")
assert(s, "session did not load")
local track = s:route_by_name("Echo")
assert(not track:isnil(), "no track Echo")
local molvex = track:nth_plugin(1)
assert(not molvex:isnil(), "no plug-in after SinGen")
assert(molvex:display_name() == "Molvex", "second plug-in is " .. molvex:display_name())
local values = {}
for i = 0, 8 do
  local v, ok = ARDOUR.LuaAPI.get_processor_param(molvex, i, true)
  values[#values + 1] = string.format("%g", v)
end
print("restored: " .. table.concat(values, " "))
ARDOUR.LuaAPI.usleep(300000)
s:save_state("", false, false, false, false, false)
close_session()
