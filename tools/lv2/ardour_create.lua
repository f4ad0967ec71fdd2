-- ardour7-lua tools/lv2/ardour_create.lua DIR: a new session with one track
-- that plays a sine (Ardour's own SinGen) into Molvex.lv2 set to a 250 ms
-- band-pass echo with the dry signal off, routed to the master bus.
local dir = arg[1]
AudioEngine:set_backend("None (Dummy)", "", "")
AudioEngine:set_sample_rate(48000)
AudioEngine:start(false)
local s = create_session(dir, "molvex", 48000)
assert(s, "no session")
local track = s:new_audio_track(2, 2, nil, 1, "Echo", ARDOUR.PresentationInfo.max_order,
                                ARDOUR.TrackMode.Normal, true):front()
local sine = ARDOUR.LuaAPI.new_luaproc(s, "SinGen")
assert(not sine:isnil(), "no SinGen")
assert(track:add_processor_by_index(sine, 0, nil, true))
local molvex = ARDOUR.LuaAPI.new_plugin(s, "urn:molvex:filter-delay", ARDOUR.PluginType.LV2, "")
assert(not molvex:isnil(), "Ardour did not load urn:molvex:filter-delay")
assert(track:add_processor_by_index(molvex, 1, nil, true))
-- Control inputs in port order: input, delay, feedback, type, cutoff,
-- resonance, pan, dry, wet.
local settings = {0, 250, 60, 2, 3020, 30, 0, -70, -3}
for i, v in ipairs(settings) do ARDOUR.LuaAPI.set_processor_param(molvex, i - 1, v) end
track:output():audio(0):connect("Master/audio_in 1")
track:output():audio(1):connect("Master/audio_in 2")
-- Let the engine run a few cycles so the plug-in takes the values up.
ARDOUR.LuaAPI.usleep(500000)
s:save_state("", false, false, false, false, false)
print("created with Molvex")
close_session()
