# The two entry points for a fresh Debian 12 machine:
#   make run   installs what is missing, builds, and runs the bundled sample CD under Wine
#   make test  installs what is missing, builds all flavours and runs every test
B      := build
JOBS   ?= 2
CMAKE  := cmake -S . -Wno-dev
WINE_RUN := tests/wine/wine-run.sh

.PHONY: run test deps native win64 win32 fuzz clean

deps:
	@scripts/deps.sh

win64: deps
	@$(CMAKE) -B $(B)/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-win64.cmake >/dev/null
	@cmake --build $(B)/win64 -j $(JOBS) -- --no-print-directory

win32: deps
	@$(CMAKE) -B $(B)/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-win32.cmake -DBUILD_TESTS=OFF >/dev/null
	@cmake --build $(B)/win32 -j $(JOBS) -- --no-print-directory

fuzz: deps
	@$(CMAKE) -B $(B)/fuzz -DFUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
	@cmake --build $(B)/fuzz -j $(JOBS) -- --no-print-directory

native: deps
	@$(CMAKE) -B $(B)/native -DWIN64_BUILD_DIR=$(CURDIR)/$(B)/win64 -DFUZZ_BUILD_DIR=$(CURDIR)/$(B)/fuzz >/dev/null
	@cmake --build $(B)/native -j $(JOBS) -- --no-print-directory

test: win64 win32 fuzz native
	@cd $(B)/native && ctest -j $(JOBS) --output-on-failure --timeout 900

run: win64 win32
	@scripts/run-sample.sh $(B)

clean:
	rm -rf $(B)
