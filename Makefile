# Thin wrapper over the CMake presets, so that the usual commands are one word each. On a machine
# without make, `./setup TARGET` installs what is missing (make too) and then runs `make TARGET`.
.PHONY: all deps build test test-normal test-asan test-package test-windows run package \
	package-windows bench fuzz format clean

all: build

deps:
	@scripts/install-deps

build: deps
	cmake --preset normal
	cmake --build --preset normal

# The whole suite in the normal and in the sanitizer build, the Debian package from its installed
# files, the Windows build under Wine, then every fuzz target for 30 s.
test: test-normal test-package test-asan test-windows fuzz

test-normal: deps
	cmake --preset normal
	cmake --build --preset normal
	ctest --preset normal

test-asan: deps
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

# The Windows build (MinGW-w64) and its tests under Wine (the window's on a virtual display), the
# installer installed, run and uninstalled, then the example converted by both builds and
# compared.
test-windows: deps
	cmake --preset windows
	cmake --build --preset windows
	scripts/wine-run cmd /c exit
	ctest --preset windows
	cd build/windows && cpack
	scripts/test-windows-package
	cmake --preset normal
	cmake --build --preset normal --target tolvanex-batch
	scripts/test-windows-example

# The Windows release, build/windows/package/tolvanex-<version>-windows-x64.exe (the installer)
# and .zip, holding the window and the batch command.
package-windows: deps
	cmake --preset windows
	cmake --build --preset windows --target tolvanex tolvanex-batch
	cd build/windows && cpack

test-package: package
	scripts/test-package

# Builds the two programs only (not the tests) and converts the bundled example (in the window
# when there is a display).
run: deps
	cmake --preset normal
	cmake --build --preset normal --target tolvanex-batch tolvanex
	scripts/run-example

# The Debian package, build/normal/package/tolvanex_<version>-1_<arch>.deb, from the normal
# build: the two programs and the files installed with them, not the tests.
package: deps
	cmake --preset normal
	cmake --build --preset normal --target tolvanex-batch tolvanex tolvanex_install_files
	cd build/normal && cpack

# Times whole conversions over a generated million-line data file, and the per-line routines.
bench: deps
	cmake --preset normal
	cmake --build --preset normal --target bench_tools
	scripts/bench

# Builds the libFuzzer targets with clang and runs each for FUZZ_SECONDS (default 30) seconds.
fuzz: deps
	scripts/fuzz

format: deps
	find system base formats model core lookup settings ui app tests bench -name '*.cpp' -o -name '*.h' 2>/dev/null | xargs clang-format -i

clean:
	rm -rf build
