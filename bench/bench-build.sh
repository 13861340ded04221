# Sourced by the benchmark scripts (from the repository's root): the optimised build
# folder they use, TAVLIN_BENCH_BUILD or build-bench, configured on first use, and
#   bench_build TARGET...   builds those targets in it (TAVLIN_JOBS jobs, default 2).
build="${TAVLIN_BENCH_BUILD:-build-bench}"
bench_build() {
  [ -f "$build/CMakeCache.txt" ] ||
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVLIN_BENCH=ON -DTAVLIN_TESTS=OFF > /dev/null
  cmake --build "$build" -j"${TAVLIN_JOBS:-2}" --target "$@" > /dev/null
}
