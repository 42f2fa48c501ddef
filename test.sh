#!/usr/bin/env bash
# Installs what is missing, builds the test build (AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs every test; GL tests run under Xvfb with
# a window manager; then the fuzzing harnesses of the readers (tools/fuzz.sh,
# a clang build).
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVEX_SANITIZE=ON >/dev/null
cmake --build build-test -j"$(nproc)"

export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_XCB_GL_INTEGRATION=xcb_glx
export LIBGL_ALWAYS_SOFTWARE=1
export TZ=${TZ:-UTC}

jobs=$(nproc)
status=0
ctest --test-dir build-test -LE gl --output-on-failure -j"$jobs" || status=1
# GL tests read back pixels of real windows on one X server: one at a time, so
# that no window hides another's pixels. They run under a window manager, as
# on a desktop, so that the windows get frames and change screen mode in the
# manager's own time. A GL test that fails is run once more: LeakSanitizer's
# thread tracer now and then crashes at exit on the GL driver's threads
# ("Tracer caught signal 11") after the test itself passed.
xvfb-run -a -s "-screen 0 1280x1024x24" ./tools/with-window-manager.sh \
    ctest --test-dir build-test -L gl --output-on-failure --repeat until-pass:2 || status=1
# The readers of outside data under libFuzzer (a clang build in build-fuzz):
# every seed and regression input, then a few seconds of fuzzing each.
./tools/fuzz.sh "${FUZZ_SECONDS:-2}" || status=1
exit $status
