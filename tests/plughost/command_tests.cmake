# The plughost command itself, run by tests/plughost/expect.sh. Inputs are
# made once by the plughost_inputs fixture.
set(ph $<TARGET_FILE:plughost>)
set(molvex $<TARGET_FILE:Molvex>)
set(fault $<TARGET_FILE:fault_plugin>)
set(data ${CMAKE_CURRENT_BINARY_DIR}/data)
set(expect ${CMAKE_CURRENT_SOURCE_DIR}/expect.sh)

add_executable(make_inputs make_inputs.cpp)
target_link_libraries(make_inputs PRIVATE plughost_core molvex_warnings)
add_dependencies(make_inputs plughost Molvex fault_plugin no_entry)
add_executable(compare_audio compare_audio.cpp)
target_link_libraries(compare_audio PRIVATE plughost_core molvex_warnings)
add_test(NAME plughost.inputs COMMAND make_inputs ${data})
set_tests_properties(plughost.inputs PROPERTIES FIXTURES_SETUP plughost_inputs LABELS plughost)

# NAME [ENV VAR=VALUE] -- expect.sh arguments
function(plughost_test name)
  cmake_parse_arguments(T "" "ENV" "" ${ARGN})
  add_test(NAME plughost.${name} COMMAND ${expect} ${T_UNPARSED_ARGUMENTS})
  set_tests_properties(plughost.${name} PROPERTIES FIXTURES_REQUIRED plughost_inputs LABELS plughost
                       RESOURCE_LOCK plughost_data_${name} TIMEOUT 120)
  if(T_ENV)
    set_tests_properties(plughost.${name} PROPERTIES ENVIRONMENT "${T_ENV}")
  endif()
endfunction()

# --- Molvex
plughost_test(info.molvex --stdout "unique id +mx67" -- ${ph} info ${molvex})
plughost_test(info.molvex.json --stdout "\"uniqueId\": \"mx67\"" -- ${ph} info ${molvex} --json)
plughost_test(render.molvex --present ${data}/molvex.wav --present ${data}/molvex.png --present ${data}/molvex.log
  --stdout "rendered 3.00 s of audio"
  -- ${ph} render ${molvex} ${data}/stereo.wav ${data}/molvex.wav --set delay=0.1 --set "dry level=0.5"
     --set 2=0.5 --program 3 --block random --tail 2 --automation ${data}/automation.txt
     --plot ${data}/molvex.png --log-automation ${data}/molvex.log)
# Hosts route MIDI only to plug-ins that say they take it; a control change on
# controller 2 then moves Feedback, which the plug-in reports back.
plughost_test(info.molvex.midi --stdout "receiveVstEvents +1" --stdout "receiveVstMidiEvent +1"
  -- ${ph} info ${molvex})
plughost_test(render.molvex.midi.feedback --file-line ${data}/molvex-midi.log " param 2 1$"
  -- ${ph} render ${molvex} ${data}/stereo.wav ${data}/molvex-midi.wav --automation ${data}/midi-feedback.txt
     --log-automation ${data}/molvex-midi.log)
plughost_test(render.molvex.mono.accumulate --present ${data}/molvex-mono.wav --stdout "process\\)"
  -- ${ph} render ${molvex} ${data}/mono.wav ${data}/molvex-mono.wav --accumulate --block 64)
plughost_test(plot.molvex --present ${data}/plot.png -- ${ph} plot ${data}/stereo.wav ${data}/plot.png)
# Strictness 5, the level the plug-in must pass.
plughost_test(validate.molvex --stdout "^[0-9]+ passed, 0 failed" -- ${ph} validate ${molvex} --strictness 5)

# --- Debian's plug-ins: a mono DPF delay and a stereo DPF panner.
set(zamdelay /usr/lib/vst/ZamDelay-vst.so)
set(pingpong /usr/lib/vst/PingPongPan-vst.so)
if(EXISTS ${zamdelay} AND EXISTS ${pingpong})
  plughost_test(info.zamdelay --stdout "vendor \\(47\\) +\"Damien Zammit\"" --stdout "inputs/outputs +1 / 1"
    -- ${ph} info ${zamdelay})
  plughost_test(info.pingpongpan.json --stdout "\"numOutputs\": 2" -- ${ph} info ${pingpong} --json)
  plughost_test(render.zamdelay --present ${data}/zamdelay.wav
    -- ${ph} render ${zamdelay} ${data}/mono.wav ${data}/zamdelay.wav --tail 1 --set 0=0.8)
  plughost_test(render.pingpongpan --present ${data}/pingpong.wav
    -- ${ph} render ${pingpong} ${data}/stereo.wav ${data}/pingpong.wav --block random --set 1=0.5)
  plughost_test(bench.peers --stdout "Molvex.so .*1.00x" --stdout "ZamDelay-vst.so" --stdout "PingPongPan-vst.so"
    -- ${ph} bench ${molvex} ${zamdelay} ${pingpong} --seconds 1 --runs 3 --set feedback=0.5)
  # A stereo file into a mono peer is summed, as DAWs do; its one output can
  # be spread over two channels.
  plughost_test(render.zamdelay.stereo --present ${data}/zamdelay-stereo.wav
    --stdout "channels: stereo file summed at half gain into 1 input, 1 output kept$"
    -- ${ph} render ${zamdelay} ${data}/stereo.wav ${data}/zamdelay-stereo.wav)
  plughost_test(render.zamdelay.spread --present ${data}/zamdelay-spread.wav
    --stdout "1 output copied to 2 channels$" --stdout "\\(2 ch, 96000 Hz told to the plug-in"
    -- ${ph} render ${zamdelay} ${data}/stereo.wav ${data}/zamdelay-spread.wav --channels 2 --rate 96000)
  plughost_test(bad.channels.peer --status fail --absent ${data}/never1.wav
    --stderr-line "^plughost: --channels 3 but the plug-in has only 2 outputs$"
    -- ${ph} render ${pingpong} ${data}/stereo.wav ${data}/never1.wav --channels 3)
else()
  message(WARNING "Debian's zam-plugins and dpf-plugins-vst are missing; their plughost tests are left out")
endif()

# --- Bad input: one line on stderr, a failing status, no output file.
function(bad_input name regex)
  plughost_test(bad.${name} --status fail --stderr-line "${regex}" --absent ${data}/never.wav ${ARGN})
endfunction()
bad_input(missing.library "^plughost: /no/such/lib.so: no such file$"
  -- ${ph} render /no/such/lib.so ${data}/stereo.wav ${data}/never.wav)
bad_input(not.a.library "text.wav: cannot load library: "
  -- ${ph} render ${data}/text.wav ${data}/stereo.wav ${data}/never.wav)
bad_input(no.entry "no_entry.so: not a VST 2 plug-in \\(exports neither main nor VSTPluginMain\\)$"
  -- ${ph} render $<TARGET_FILE:no_entry> ${data}/stereo.wav ${data}/never.wav)
bad_input(null.main "FaultPlugin.so: main returned no plug-in$" ENV PLUGHOST_FAULT=null-main
  -- ${ph} render ${fault} ${data}/stereo.wav ${data}/never.wav)
bad_input(wrong.magic "FaultPlugin.so: record has wrong magic 0x4E6F7065 \\(expected VstP\\)$" ENV PLUGHOST_FAULT=bad-magic
  -- ${ph} render ${fault} ${data}/stereo.wav ${data}/never.wav)
bad_input(unreadable.audio "text.wav: cannot read audio: "
  -- ${ph} render ${molvex} ${data}/text.wav ${data}/never.wav)
bad_input(missing.audio "nothing.wav: no such file$"
  -- ${ph} render ${molvex} ${data}/nothing.wav ${data}/never.wav)
plughost_test(bad.output.format --status fail --absent ${data}/never.xyz
  --stderr-line "never.xyz: unsupported output format '.xyz'"
  -- ${ph} render ${molvex} ${data}/stereo.wav ${data}/never.xyz)
bad_input(three.channels "three.wav: has 3 channels but the plug-in takes 2 inputs$"
  -- ${ph} render ${molvex} ${data}/three.wav ${data}/never.wav)
bad_input(block.number "^plughost: bad number for --block: '12x'$"
  -- ${ph} render ${molvex} ${data}/stereo.wav ${data}/never.wav --block 12x)
bad_input(set.range "^plughost: --set cutoff must be between 0 and 1, not 1.5$"
  -- ${ph} render ${molvex} ${data}/stereo.wav ${data}/never.wav --set cutoff=1.5)
bad_input(set.name "^plughost: no parameter named 'volume'$"
  -- ${ph} render ${molvex} ${data}/stereo.wav ${data}/never.wav --set volume=0.5)
bad_input(program.range "--program 16 out of range \\(plug-in has 16 programs\\)$"
  -- ${ph} render ${molvex} ${data}/stereo.wav ${data}/never.wav --program 16)
bad_input(automation.number "bad-number.txt:2: bad value 'loud'$"
  -- ${ph} render ${molvex} ${data}/stereo.wav ${data}/never.wav --automation ${data}/bad-number.txt)
bad_input(automation.name "bad-name.txt:1: no parameter named 'Volume'$"
  -- ${ph} render ${molvex} ${data}/stereo.wav ${data}/never.wav --automation ${data}/bad-name.txt)
bad_input(automation.missing "nope.txt: cannot open automation file$"
  -- ${ph} render ${molvex} ${data}/stereo.wav ${data}/never.wav --automation ${data}/nope.txt)
plughost_test(bad.strictness --status fail --stderr-line "^plughost: --strictness must be between 1 and 10, not 0$"
  -- ${ph} validate ${molvex} --strictness 0)
plughost_test(bad.command --status fail --stderr-line "^plughost: unknown command 'play'"
  -- ${ph} play ${molvex})

# --- validate catches each fault of the test plug-in, and passes it without one.
plughost_test(validate.fault.none --stdout " 0 failed" -- ${ph} validate ${fault} --strictness 2)
function(catches kind check)
  plughost_test(validate.catches.${kind} --status fail --stdout "${check} +FAIL" ENV PLUGHOST_FAULT=${kind}
    -- ${ph} validate ${fault} --strictness 2 --check ${check})
endfunction()
catches(nan finite-output)
catches(denormal block-sizes)
catches(zero-length zero-length-blocks)
catches(zero-length-adding zero-length-blocks)
catches(zero-length-state zero-length-blocks)
catches(overwrite process-vs-replacing)
catches(block-reset block-size-independence)
catches(long-blocks block-size-independence)
catches(nan-at-full finite-output)
catches(swap in-place-buffers)
catches(hum silence-after-tail)
# A tail the plug-in reports is waited for.
plughost_test(validate.waits.long-tail --stdout "silence-after-tail +PASS" ENV PLUGHOST_FAULT=long-tail
  -- ${ph} validate ${fault} --strictness 2 --check silence-after-tail)

# --- The editor checks need a display; they run on Molvex and on a peer.
# Search for a free display away from :99,
# where other suites start theirs; -noreset, because a server that resets
# when the last client leaves refuses the next check's connection for a
# moment.
find_program(XVFB_RUN xvfb-run)
if(XVFB_RUN)
  # A host that idles the editor inside the idle request stops one level
  # deep however often the editor asks; the window takes the size asked for.
  plughost_test(editor.needy --present ${data}/needy.png ENV PLUGHOST_FAULT=needy-editor
    --stdout "screenshot .*needy.png \\(200 x 100\\)" --stdout "^[0-9.]+ param 0 0.25$"
    --stdout "^# [0-9.]+ param 1 3.5 \\(outside 0..1\\)$" --stdout "\\([1-9][0-9]* answered with an editor idle\\)"
    -- ${XVFB_RUN} -a -n 61 -s "-screen 0 1024x768x24 -nolisten tcp -noreset" ${ph} editor ${fault}
       --idle-in-callback --seconds 0.3 --screenshot ${data}/needy.png)
  set_tests_properties(plughost.editor.needy PROPERTIES LABELS "plughost;display")
  plughost_test(validate.editor.molvex --stdout "editor-open-close +PASS" --stdout "editor-parameter-changes +PASS"
    --stdout "editor-while-processing +PASS" --stdout "^3 passed, 0 failed"
    -- ${XVFB_RUN} -a -n 59 -s "-screen 0 1024x768x24 -nolisten tcp -noreset" ${ph} validate ${molvex} --strictness 2 --check editor)
  set_tests_properties(plughost.validate.editor.molvex PROPERTIES LABELS "plughost;display")
  # A host that closes the editor or destroys the plug-in from inside the
  # panel's automation report or idle request, in the middle of a knob drag:
  # the drag ends there (under the asan preset, without touching freed
  # memory), and closing inside the first report leaves it the only one.
  set(display 62)
  foreach(closes editor plugin)
    foreach(inside automate idle)
      if(closes STREQUAL "editor")
        set(said "closed the editor")
      else()
        set(said "destroyed the plug-in")
      endif()
      if(inside STREQUAL "automate")
        set(count --stdout " 1 automations")
        set(request audioMasterAutomate)
      else()
        set(count)
        set(request audioMasterIdle)
      endif()
      plughost_test(editor.close.${closes}.in.${inside}
        ENV "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/support/lsan.supp" --stdout "^# [0-9.]+ ${said} inside ${request}$"
        ${count}
        -- ${XVFB_RUN} -a -n ${display} -s "-screen 0 1024x768x24 -nolisten tcp -noreset" ${ph} editor ${molvex}
           --script ${CMAKE_CURRENT_SOURCE_DIR}/molvex_drag.txt --close-${closes}-in ${inside})
      # Also run by the asan preset (label sanitize), where a touch of the
      # deleted editor or control fails the run.
      set_tests_properties(plughost.editor.close.${closes}.in.${inside} PROPERTIES
                           LABELS "plughost;display;sanitize")
      math(EXPR display "${display} + 1")
    endforeach()
  endforeach()
endif()
if(XVFB_RUN AND EXISTS ${zamdelay})
  plughost_test(validate.editor.zamdelay --stdout "editor-open-close +PASS" --stdout "editor-while-processing +PASS"
    -- ${XVFB_RUN} -a -n 57 -s "-screen 0 1024x768x24 -nolisten tcp -noreset" ${ph} validate ${zamdelay} --strictness 1 --check editor)
  set_tests_properties(plughost.validate.editor.zamdelay PROPERTIES LABELS "plughost;display")
  # A drag on a panel nobody here wrote reaches the host as automation, and
  # the screenshot is the editor's size.
  plughost_test(editor.peer.drag --present ${data}/pingpong-editor.png
    --stdout "^[0-9.]+ param 0 [0-9.e-]+$" --stdout "screenshot .*pingpong-editor.png \\(308 x 170\\)"
    -- ${XVFB_RUN} -a -n 58 -s "-screen 0 1024x768x24 -nolisten tcp -noreset" ${ph} editor ${pingpong}
       --script ${CMAKE_CURRENT_SOURCE_DIR}/peer_drag.txt --screenshot ${data}/pingpong-editor.png)
  set_tests_properties(plughost.editor.peer.drag PROPERTIES LABELS "plughost;display")
endif()
if(EXISTS ${zamdelay})
  plughost_test(editor.no.display --status fail --absent ${data}/never.png ENV DISPLAY=
    --stderr-line "^plughost: an editor needs a display: no display \\(\\$DISPLAY is not set\\)"
    -- ${ph} editor ${zamdelay} --screenshot ${data}/never.png)
endif()
plughost_test(editor.no.editor --status fail --stderr-line "FaultPlugin.so: the plug-in has no editor$"
  -- ${ph} editor ${fault})
plughost_test(editor.bad.script --status fail --stderr-line "peer_drag.txt: cannot open script$"
  -- ${ph} editor ${fault} --script ${data}/peer_drag.txt)

# --- LV2: the same commands on Molvex's bundle, compared with its VST 2
# library, and on Debian's LV2 peers (labels plughost and lv2).
function(plughost_lv2_test name)
  plughost_test(${name} ${ARGN})
  set_tests_properties(plughost.${name} PROPERTIES LABELS "plughost;lv2")
endfunction()
set(compare $<TARGET_FILE:compare_audio>)
if(PLUGHOST_LV2 AND MOLVEX_LV2_BUNDLE)
  set(bundle ${MOLVEX_LV2_BUNDLE})
  add_dependencies(make_inputs molvex_lv2 compare_audio)
  plughost_lv2_test(info.lv2.molvex --stdout "^format +LV2$" --stdout "^parameters +9$"
    --stdout "^ +0 +\"Input Level\"" --stdout "^ +8 +\"Wet Level\"" --stdout "^midi input +yes$"
    -- ${ph} info ${bundle})
  plughost_lv2_test(info.lv2.molvex.json --stdout "\"numParams\": 9" -- ${ph} info ${bundle}/ --json)
  # Both formats, the same settings, automation and control change, the
  # same blocks: the same samples.
  set(same "--set delay=0.1 --set feedback=0.5 --set pan=0.3 --set 3=0.5 --tail 1 --block random \
    --automation '${data}/formats.txt'")
  add_test(NAME plughost.lv2.render.equals.vst2 COMMAND sh -c
    "'${ph}' render '${molvex}' '${data}/stereo.wav' '${data}/f-vst.wav' ${same} &&
     '${ph}' render '${bundle}' '${data}/stereo.wav' '${data}/f-lv2.wav' ${same} &&
     '${compare}' '${data}/f-vst.wav' '${data}/f-lv2.wav' 1e-6")
  # Controller 2 on channel 3 turns Feedback up in both formats; without the
  # control change the LV2 render differs.
  add_test(NAME plughost.lv2.render.midi.cc COMMAND sh -c
    "'${ph}' render '${molvex}' '${data}/stereo.wav' '${data}/m-vst.wav' --automation '${data}/midi-feedback.txt' &&
     '${ph}' render '${bundle}' '${data}/stereo.wav' '${data}/m-lv2.wav' --automation '${data}/midi-feedback.txt' &&
     '${ph}' render '${bundle}' '${data}/stereo.wav' '${data}/m-none.wav' &&
     '${compare}' '${data}/m-vst.wav' '${data}/m-lv2.wav' 1e-6 &&
     '${compare}' '${data}/m-lv2.wav' '${data}/m-none.wav' 1e-3 --differ")
  set_tests_properties(plughost.lv2.render.equals.vst2 plughost.lv2.render.midi.cc PROPERTIES
    FIXTURES_REQUIRED plughost_inputs LABELS "plughost;lv2" TIMEOUT 120)
  plughost_lv2_test(validate.lv2.molvex ENV DISPLAY= --stdout "^7 passed, 0 failed, 1 skipped"
    --stdout "state-round-trip +PASS" -- ${ph} validate ${bundle} --strictness 5)
  plughost_lv2_test(bench.lv2.both --stdout "^Molvex.so .*1.00x" --stdout "^Molvex.lv2 "
    -- ${ph} bench ${molvex} ${bundle}/ --seconds 1 --runs 3 --set feedback=0.5)
  plughost_lv2_test(bad.lv2.bundle --status fail --stderr-line "^plughost: /no/such.lv2: no such LV2 bundle$"
    -- ${ph} render /no/such.lv2 ${data}/stereo.wav ${data}/never.wav)
  plughost_lv2_test(bad.lv2.folder --status fail --stderr-line ": not an LV2 bundle \\(no manifest.ttl\\)$"
    -- ${ph} info ${data}/empty.lv2)
  plughost_lv2_test(bad.lv2.uri --status fail
    --stderr-line "^plughost: urn:nobody:nothing: no installed LV2 plug-in has this URI \\(see lv2ls\\)$"
    -- ${ph} validate urn:nobody:nothing)
  plughost_lv2_test(bad.lv2.accumulate --status fail --stderr-line "--accumulate cannot be used$"
    -- ${ph} render ${bundle} ${data}/stereo.wav ${data}/never.wav --accumulate)
  plughost_lv2_test(editor.lv2.no.display --status fail ENV DISPLAY=
    --stderr-line "^plughost: an editor needs a display: no display" -- ${ph} editor ${bundle})
  if(XVFB_RUN)
    # The panel in its own X11 UI: a drag on FREQ reaches the host as a port
    # write, reported 0..1 between the edit's begin and end; the host's
    # change of Feedback reaches the panel.
    set(xvfb ${XVFB_RUN} -a -n 62 -s "-screen 0 1024x768x24 -nolisten tcp -noreset")
    plughost_lv2_test(editor.lv2.drag --present ${data}/lv2-editor.png
      --stdout "^# [0-9.]+ begin edit 4$" --stdout "^[0-9.]+ param 4 0[.][0-9]+$" --stdout "^# [0-9.]+ end edit 4$"
      --stdout "screenshot .*lv2-editor.png \\(420 x 64\\)" --stdout "^# parameter 2 Feedback = 0.75 "
      -- ${xvfb} ${ph} editor ${bundle} --script ${CMAKE_CURRENT_SOURCE_DIR}/lv2_drag.txt
         --screenshot ${data}/lv2-editor.png)
    # The host's change reaches the panel as a port event: the picture
    # after `set` differs from the one before.
    add_test(NAME plughost.editor.lv2.host.change COMMAND sh -c
      "${XVFB_RUN} -a -n 63 -s '-screen 0 1024x768x24 -nolisten tcp -noreset' '${ph}' editor '${bundle}' \
         --script '${CMAKE_CURRENT_SOURCE_DIR}/lv2_host_change.txt' >/dev/null &&
       ! cmp -s '${data}/lv2-before.png' '${data}/lv2-after.png'")
    set_tests_properties(plughost.editor.lv2.host.change PROPERTIES FIXTURES_REQUIRED plughost_inputs
      WORKING_DIRECTORY ${data} LABELS "plughost;lv2;display" TIMEOUT 60)
    plughost_lv2_test(validate.lv2.editor --stdout "editor +PASS +opened, idled"
      -- ${xvfb} ${ph} validate ${bundle} --strictness 2 --check editor)
    set_tests_properties(plughost.editor.lv2.drag plughost.validate.lv2.editor PROPERTIES
      LABELS "plughost;lv2;display")
    if(EXISTS /usr/lib/lv2/a-delay.lv2)
      plughost_lv2_test(editor.lv2.no.ui --status fail
        --stderr-line "^plughost: urn:ardour:a-delay: the plug-in has no X11 UI$"
        -- ${xvfb} ${ph} editor urn:ardour:a-delay)
      set_tests_properties(plughost.editor.lv2.no.ui PROPERTIES LABELS "plughost;lv2;display")
    endif()
  endif()
  # Debian's LV2 peers, by URI.
  if(EXISTS /usr/lib/lv2/a-delay.lv2 AND EXISTS /usr/lib/lv2/ZamDelay.lv2)
    plughost_lv2_test(info.lv2.adelay --stdout "^name +\"ACE Delay\"$" --stdout "^inputs/outputs +1 / 1$"
      -- ${ph} info urn:ardour:a-delay)
    plughost_lv2_test(render.lv2.zamdelay --present ${data}/zam-lv2.wav --stdout "Hz, run\\) in"
      -- ${ph} render urn:zamaudio:ZamDelay ${data}/stereo.wav ${data}/zam-lv2.wav --tail 1 --set 0=0.8)
    plughost_lv2_test(validate.lv2.zamdelay.lifecycle --stdout "lifecycle +PASS"
      -- ${ph} validate urn:zamaudio:ZamDelay --strictness 2 --check lifecycle)
  else()
    message(WARNING "Debian's ardour-lv2-plugins and zam-plugins are missing; their LV2 plughost tests are left out")
  endif()
endif()

# --- CLAP: the same commands on Molvex.clap, compared with its VST 2
# library (labels plughost and clap).
function(plughost_clap_test name)
  plughost_test(${name} ${ARGN})
  set_tests_properties(plughost.${name} PROPERTIES LABELS "plughost;clap")
endfunction()
if(TARGET molvex_clap AND PLUGHOST_CLAP_INCLUDE_DIR)
  set(clap $<TARGET_FILE:molvex_clap>)
  add_dependencies(make_inputs molvex_clap compare_audio)
  plughost_clap_test(info.clap.molvex --stdout "^format +CLAP 1" --stdout "^parameters +9$"
    --stdout "^ +0 +\"Input Level\"" --stdout "^ +8 +\"Wet Level\"" --stdout "^midi input +yes$"
    --stdout "^latency +0$" -- ${ph} info ${clap})
  plughost_clap_test(info.clap.molvex.json --stdout "\"id\": \"com.molvex.filter-delay\""
    -- ${ph} info ${clap} --json)
  # Both formats, the same settings, automation and control change, the
  # same blocks: the same samples; without the control change they differ.
  set(same "--set delay=0.1 --set feedback=0.5 --set pan=0.3 --set 3=0.5 --tail 1 --block random \
    --automation '${data}/formats.txt'")
  add_test(NAME plughost.clap.render.equals.vst2 COMMAND sh -c
    "'${ph}' render '${molvex}' '${data}/stereo.wav' '${data}/c-vst.wav' ${same} &&
     '${ph}' render '${clap}' '${data}/stereo.wav' '${data}/c-clap.wav' ${same} &&
     '${compare}' '${data}/c-vst.wav' '${data}/c-clap.wav' 1e-6")
  add_test(NAME plughost.clap.render.midi.cc COMMAND sh -c
    "'${ph}' render '${molvex}' '${data}/stereo.wav' '${data}/cm-vst.wav' --automation '${data}/midi-feedback.txt' &&
     '${ph}' render '${clap}' '${data}/stereo.wav' '${data}/cm-clap.wav' --automation '${data}/midi-feedback.txt' &&
     '${ph}' render '${clap}' '${data}/stereo.wav' '${data}/cm-none.wav' &&
     '${compare}' '${data}/cm-vst.wav' '${data}/cm-clap.wav' 1e-6 &&
     '${compare}' '${data}/cm-clap.wav' '${data}/cm-none.wav' 1e-3 --differ")
  set_tests_properties(plughost.clap.render.equals.vst2 plughost.clap.render.midi.cc PROPERTIES
    FIXTURES_REQUIRED plughost_inputs LABELS "plughost;clap" TIMEOUT 120)
  plughost_clap_test(validate.clap.molvex.state --stdout "^3 passed, 0 failed, 0 skipped"
    -- ${ph} validate ${clap} --check state)
  # CLAP's reset, and reactivation, sound as a fresh instance: the delay
  # line and the feedback filter's history and limiter cleared.
  plughost_clap_test(validate.clap.molvex.reset --stdout "^1 passed, 0 failed"
    -- ${ph} validate ${clap} --check reset)
  plughost_clap_test(validate.clap.molvex.parameters --stdout "^[1-9] passed, 0 failed"
    -- ${ph} validate ${clap} --check parameter)
  plughost_clap_test(bad.clap.file --status fail --stderr-line "^plughost: .*not-a-plugin.clap: "
    -- ${ph} info ${data}/not-a-plugin.clap)
endif()
