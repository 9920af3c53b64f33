#!/usr/bin/env bash
# Format, clang-tidy and cppcheck over every source of the project; any
# finding fails.   scripts/static-checks.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-tidy}
mapfile -t sources < <(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'fuzz/*.cpp')

echo "== clang-format"
clang-format --dry-run --Werror "${sources[@]}"

echo "== clang-tidy"
cmake -S . -B "$build" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON -DCMAKE_BUILD_TYPE=Debug -DROLLWERK_BUILD_UI=ON >/dev/null
# The generated sources (moc, resources) must exist before they are analysed.
mapfile -t generated < <(cmake --build "$build" --target help | sed -n 's/^\.\.\. \(.*_autogen\)$/\1/p')
cmake --build "$build" -j"$(nproc)" --target "${generated[@]}" >/dev/null
mapfile -t units < <(printf '%s\n' "${sources[@]}" | grep '\.cpp$' | sed "s|^|$PWD/|")
run-clang-tidy -p "$build" -quiet -j"$(nproc)" "${units[@]}" >"$build/clang-tidy.log" 2>&1 || {
  grep -E 'warning:|error:' "$build/clang-tidy.log" | sort -u
  echo "clang-tidy found problems (full log: $build/clang-tidy.log)"
  exit 1
}

echo "== cppcheck"
cppcheck --quiet --error-exitcode=1 --std=c++20 --language=c++ --enable=warning,performance,portability \
  --inline-suppr --suppress=missingIncludeSystem --suppress=unknownMacro \
  -I src/core/rules -I src/core/texts -I src/core/windows -I src/core/document -I src/ui src/core src/ui src/app
echo "static checks passed"
