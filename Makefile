# The two entry points for a fresh Debian 12 machine:
#   make run   installs what is missing, builds, and runs the bundled sample CD under Wine
#   make test  installs what is missing, builds all flavours and runs every test
B      := build
JOBS   ?= 2
# Tests at once: the Windows tests mostly wait on Wine, a server or a window, so one more than the
# cores.
TESTJOBS ?= 3
CMAKE  := cmake -S . -Wno-dev
# The Windows build the tests run: win32, the program we ship, where this machine runs 32-bit Wine,
# else win64 (asked when a recipe runs, once deps has installed Wine).
WINTEST = $(shell scripts/windows-test-build.sh)

.PHONY: run test ship-check deps native win64 win32 wintest fuzz clean

deps:
	@scripts/deps.sh

win32: deps
	@$(CMAKE) -B $(B)/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-win32.cmake \
	  -DBUILD_TESTS=$(if $(filter win32,$(WINTEST)),ON,OFF) >/dev/null
	@cmake --build $(B)/win32 -j $(JOBS) -- --no-print-directory

win64: deps
	@$(CMAKE) -B $(B)/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-win64.cmake >/dev/null
	@cmake --build $(B)/win64 -j $(JOBS) -- --no-print-directory

# The build the Windows tests run, made when it is not the shipped one.
wintest: win32
	@[ "$(WINTEST)" = win32 ] || $(MAKE) --no-print-directory win64

fuzz: deps
	@$(CMAKE) -B $(B)/fuzz -DFUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
	@cmake --build $(B)/fuzz -j $(JOBS) -- --no-print-directory

native: deps
	@$(CMAKE) -B $(B)/native -DWIN_TEST_BUILD_DIR=$(CURDIR)/$(B)/$(WINTEST) -DWIN_TEST_ARCH=$(WINTEST) \
	  -DWIN32_BUILD_DIR=$(CURDIR)/$(B)/win32 -DFUZZ_BUILD_DIR=$(CURDIR)/$(B)/fuzz >/dev/null
	@cmake --build $(B)/native -j $(JOBS) -- --no-print-directory

# Where the tests ran the win64 build, the ship check then runs the shipped one.
test: wintest fuzz native
	@[ "$(WINTEST)" = win32 ] || echo "note: this machine runs no 32-bit code; the Windows tests run the win64 build, the ship check the shipped one under emulation"
	@cd $(B)/native && ctest -j $(TESTJOBS) --output-on-failure --timeout 900
	@[ "$(WINTEST)" = win32 ] || tests/ship/ship-check.sh $(B)/win32

# The shipped program itself under 32-bit Wine, under emulation where the kernel runs no 32-bit
# code: see the README.
ship-check: win32
	@tests/ship/ship-check.sh $(B)/win32

run: wintest
	@scripts/run-sample.sh $(B) $(WINTEST)

clean:
	rm -rf $(B)
