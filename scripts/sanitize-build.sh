# The sanitizer build that `scripts/test --sanitize` tests and `scripts/fuzz`
# fuzzes (sourced by both): clang with AddressSanitizer and
# UndefinedBehaviorSanitizer in build-sanitize/, with the fuzz targets.
# shellcheck shell=bash

sanitize_build=build-sanitize

# Configures build-sanitize/ (afresh when an earlier configuration used another compiler).
configure_sanitize_build() {
  local fresh=()
  if [ -f "$sanitize_build/CMakeCache.txt" ] &&
     ! grep -q '^CMAKE_CXX_COMPILER:[A-Z]*=.*clang++' "$sanitize_build/CMakeCache.txt"; then
    fresh=(--fresh)
  fi
  cmake "${fresh[@]}" -S . -B "$sanitize_build" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DORVAL_FUZZ=ON -DCMAKE_BUILD_TYPE=Debug -DORVAL_BUILD_BENCH=OFF
}

# The sanitizers' settings for every sanitized program run: stop at the
# first report, leaks included, with a stack.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
