# Counts the tests in a ./run test step's output and prints "PASSED FAILED
# SKIPPED". It reads ctest's closing summaries ("96% tests passed, 2 tests
# failed out of 50") and the skipped or disabled tests ctest lists, and lines
# "step-counts: N passed, N failed, N skipped" that script tests print for
# checks of their own. ctest counts a skipped test among those that passed;
# here it is only skipped.
/tests passed, [0-9]+ tests? failed out of [0-9]+$/ {
    for (i = 1; i <= NF; i++) {
        if ($i == "failed") f = $(i - 2)
        if ($i == "of") t = $(i + 1)
    }
    total += t
    fail += f
}
/^[[:space:]]*[0-9]+ - .* \((Skipped|Disabled)\)$/ { skip++ }
/^step-counts: [0-9]+ passed, [0-9]+ failed, [0-9]+ skipped$/ {
    own_passed += $2
    own_failed += $4
    own_skipped += $6
}
END { printf "%d %d %d\n", total - fail - skip + own_passed, fail + own_failed, skip + own_skipped }
