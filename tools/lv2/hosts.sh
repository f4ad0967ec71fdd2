#!/usr/bin/env bash
# Every LV2 host check in turn (./run test's "LV2 in real hosts" step):
# Debian's LV2 tools, jalv, Ardour 7, the zoom in jalv.gtk3. Each prints
# its own step-counts. (tools/lv2/ardour_zoom.sh, which clicks through
# Ardour's dialogs, is run by hand.)
#   tools/lv2/hosts.sh
cd "$(dirname "$0")/../.."
cmake --build --preset default -j 2 --target molvex_lv2 Molvex plughost >/dev/null || {
  echo "step-counts: 0 passed, 1 failed, 0 skipped"
  exit 1
}
status=0
for check in check_bundle jalv ardour zoom; do
  echo "== tools/lv2/$check.sh"
  # The zoom check's pictures go to a scratch folder, not into docs/.
  SHOTS=$(mktemp -d) tools/lv2/$check.sh || status=1
done
exit $status
