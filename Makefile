# The two commands of the README: `make run` and `make test`.
JOBS ?= $(shell nproc)
BAR_RELEASE := build/release/src/app/veskor

.PHONY: run build test lint lint-deps bench fuzz fuzz-long install package screenshots clean

run: build
	@if [ -n "$$DISPLAY" ]; then \
	  exec $(BAR_RELEASE) $(ARGS); \
	else \
	  echo "No display (DISPLAY is not set): writing a screenshot of the bar to build/veskor-bar.png instead."; \
	  $(BAR_RELEASE) --screenshot build/veskor-bar.png && echo "Wrote build/veskor-bar.png"; \
	fi

build:
	scripts/install-deps.sh build
	cmake --preset release
	cmake --build --preset release -j$(JOBS)

test:
	scripts/install-deps.sh test
	cmake --preset dev
	cmake --build --preset dev -j$(JOBS)
	ctest --preset dev --parallel $(JOBS)

# Formatting of every C and C++ file, then clang-tidy (.clang-tidy) on every library of src/: the
# logic (common, feature and each feature's core), then the Qt code (widgets, ui, app, platform).
# The Qt code hands functors to the event loop (QTimer::singleShot, QMetaObject::invokeMethod),
# which frees them; the analyzer cannot follow that and calls each one a leak, so its leak check
# runs on the logic only (LeakSanitizer watches the rest in the tests). LINT_BUILD names the
# dev-preset tree whose compile_commands.json it uses; it is configured when missing or older
# than the build files.
LINT_BUILD ?= build/dev
LINT_DB := $(LINT_BUILD)/compile_commands.json
LINT_SOURCES = git ls-files --cached --others --exclude-standard -- \
	$(foreach d,src tests fuzz bench,$(foreach e,c cc cpp h hpp,'$(d)/*.$(e)'))
TIDY_LOGIC := '^$(CURDIR)/src/(common|feature|[^/]+/core)/[^/]+\.cpp$$'
TIDY_QT := '^$(CURDIR)/src/(app|ui|platform/[^/]+|[^/]+/widgets)/[^/]+\.cpp$$'
TIDY_QT_CHECKS := -clang-analyzer-cplusplus.NewDeleteLeaks

lint-deps:
	scripts/install-deps.sh lint

$(LINT_DB): CMakePresets.json $(wildcard $(shell git ls-files --cached --others --exclude-standard \
		-- 'CMakeLists.txt' '*/CMakeLists.txt' 'cmake/*' 'src/*.in')) | lint-deps
	cmake --preset dev -B $(LINT_BUILD)
	touch $@

lint: lint-deps $(LINT_DB)
	@status=0; unformatted=""; \
	for f in $$($(LINT_SOURCES)); do \
	  [ -f "$$f" ] || continue; \
	  clang-format --dry-run --Werror "$$f" >/dev/null 2>&1 || unformatted="$$unformatted $$f"; \
	done; \
	if [ -n "$$unformatted" ]; then \
	  echo "Not formatted as .clang-format asks (run clang-format -i on them):"; \
	  printf '  %s\n' $$unformatted; \
	  status=1; \
	fi; \
	echo "clang-tidy on the libraries..."; \
	log=$$(mktemp); \
	run-clang-tidy -quiet -j$(JOBS) -p $(LINT_BUILD) $(TIDY_LOGIC) >$$log 2>&1 || status=1; \
	run-clang-tidy -quiet -j$(JOBS) -p $(LINT_BUILD) -checks=$(TIDY_QT_CHECKS) $(TIDY_QT) \
	  >>$$log 2>&1 || status=1; \
	sed -e 's/\x1b\[[0-9;]*m//g' $$log \
	  | grep -v -e '^[^ ]*clang-tidy[-0-9]* ' -e '^[0-9]* warnings\? generated\.$$'; \
	rm -f $$log; \
	[ $$status -ne 0 ] || echo "lint: clean"; \
	exit $$status

bench: build
	scripts/install-deps.sh bench
	bench/run.sh $(BAR_RELEASE)
	bench/micro.sh

fuzz:
	scripts/install-deps.sh fuzz
	cmake --preset fuzz
	cmake --build --preset fuzz -j$(JOBS)

# The program, its desktop entry, software-centre metadata, icons and manual page;
# PREFIX=/usr/local for every user.
PREFIX ?= $(HOME)/.local
install: build
	cmake --install build/release --prefix $(PREFIX)

# A Debian package of the same files, in build/release.
package: build
	cd build/release && cpack -G DEB

# The pictures of the README, rendered off screen by the program itself.
screenshots: build
	scripts/screenshots.sh $(BAR_RELEASE) docs

# The long fuzzing campaign: FUZZ_RUNS executions of each target (ASan and UBSan).
FUZZ_RUNS ?= 10000000
fuzz-long: fuzz
	scripts/fuzz-long.sh build/fuzz $(FUZZ_RUNS)

clean:
	rm -rf build
