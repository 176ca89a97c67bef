# One-word wrappers over the CMake workflow presets (CMakePresets.json holds what each does), so
# that the usual commands stay one word each. On a machine without make, `./setup TARGET` installs
# what is missing (make too) and then runs `make TARGET`.
.PHONY: all deps build test test-normal test-asan test-tsan test-package test-windows run package \
	package-windows dist bench fuzz format clean

all: build

deps:
	@scripts/install-deps

build: deps
	cmake --workflow --preset build

# Every test: the normal build's (the Debian packages built and checked among them, label
# package), the sanitizer build's, the window's run and its controller under ThreadSanitizer, the
# Windows build's under Wine (its installer, label package, and the example compared with the
# Linux build's, label example), then every fuzz target for 30 s (label fuzz).
test: test-normal test-asan test-tsan test-windows fuzz

test-normal: deps
	cmake --workflow --preset test-normal

test-asan: deps
	cmake --workflow --preset test-asan

test-tsan: deps
	cmake --workflow --preset test-tsan

# The programs, the Debian packages and their checks only.
test-package: deps
	cmake --workflow --preset test-package

# The Windows example check compares with the Linux build's tolvanex-batch, built first.
test-windows: deps
	cmake --workflow --preset batch
	cmake --workflow --preset test-windows

# Builds the two programs only (not the tests) and converts the bundled example (in the window
# when there is a display).
run: deps
	cmake --workflow --preset programs
	scripts/run-example

# The Debian packages build/normal/package/tolvanex-batch_<version>-1_<arch>.deb and
# tolvanex_<version>-1_<arch>.deb.
package: deps
	cmake --workflow --preset package

# The Windows release, build/windows/package/tolvanex-<version>-windows-x64.exe (the installer)
# and .zip.
package-windows: deps
	cmake --workflow --preset package-windows

# The source archive build/normal/tolvanex-<version>.tar.gz of the last commit.
dist: deps
	cmake --workflow --preset dist

# Times whole conversions over a generated million-line data file, and the per-line routines.
bench: deps
	cmake --workflow --preset bench
	scripts/bench

# Builds the libFuzzer targets with clang and runs each for FUZZ_SECONDS (default 30) seconds.
fuzz: deps
	cmake --workflow --preset fuzz

format: deps
	find system base formats model core lookup settings ui app tests bench -name '*.cpp' -o -name '*.h' 2>/dev/null | xargs clang-format -i

clean:
	rm -rf build
