# Shared by the LV2 host checks: where the bundle is, and how each check
# reports. Sourced; LV2_PATH points at the build, so hosts see this bundle.
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
build=${BUILD:-build}
bundle=$build/Molvex.lv2
uri=urn:molvex:filter-delay
export LV2_PATH=$PWD/$build
passed=0 failed=0
pass() { echo "PASS: $*"; passed=$((passed + 1)); }
fail() { echo "FAIL: $*"; failed=$((failed + 1)); }
finish() {
  echo "step-counts: $passed passed, $failed failed, 0 skipped"
  [ $failed -eq 0 ]
}
[ -f "$bundle/manifest.ttl" ] || { echo "no bundle in $bundle: build the molvex_lv2 target" >&2; exit 1; }
# lilv reads every entry of LV2_PATH as a bundle and complains of the files.
quiet() { grep -v 'manifest.ttl\|lilv_world_load' || true; }
