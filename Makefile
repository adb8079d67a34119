# Two commands for a new user on Debian 12:
#   make run    installs what is missing, builds, creates words.mdb, starts Penrook
#   make test   the same set-up, then every test headless
# and three to install it:
#   make install     into your own ~/.local (PREFIX=... for another place), no root needed
#   make uninstall   removes what make install put there; your data stays
#   make package     builds penrook_<version>_amd64.deb for apt-get install ./penrook_*.deb
BUILD ?= build
JOBS ?= $(shell nproc)

# Debian packages the build and the tests need.
PACKAGES := cmake g++ make pkg-config \
            qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-webengine-dev qt6-qpa-plugins libqt6opengl6-dev libgl-dev \
            libxcb1-dev libsqlite3-dev sqlite3 mythes-en-us wordnet-base scowl fonts-liberation2 \
            libsphinxbase-dev pocketsphinx-en-us festlex-poslex \
            xvfb x11-utils xdotool openbox desktop-file-utils appstream
# What making the Debian package needs on top.
PACKAGE_TOOLS := dpkg-dev file
PREFIX ?= $(HOME)/.local
PACKAGE_BUILD ?= build-deb

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: run test test-sanitize fuzz deps build clean install uninstall package

deps:
	@missing=$$(for p in $(PACKAGES) $(EXTRA_PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing Debian packages:" $$missing; \
	  $(SUDO) apt-get update -q && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $$missing; \
	fi

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j$(JOBS)

run: build
	./$(BUILD)/Penrook

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# Every test again, built with AddressSanitizer and UndefinedBehaviorSanitizer;
# the first error stops the test that meets it.
SANITIZE_BUILD ?= build-sanitize
test-sanitize: deps
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
	    -DPENROOK_SANITIZE=ON -DPENROOK_BUILD_BENCHES=OFF
	cmake --build $(SANITIZE_BUILD) -j$(JOBS)
	cd $(SANITIZE_BUILD) && ctest --output-on-failure -j$(JOBS)

# Each fuzz target for FUZZ_SECONDS, from the seeds in fuzz/seeds; what it finds
# is kept in $(FUZZ_BUILD)/found and stops the run.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 30
FUZZ_TOOLS := clang-14 libclang-rt-14-dev
fuzz:
	$(MAKE) deps EXTRA_PACKAGES="$(FUZZ_TOOLS)"
	cmake -S fuzz -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=
	cmake --build $(FUZZ_BUILD) -j$(JOBS)
	@for target in wordlist decode mythes number spintax; do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$target $(FUZZ_BUILD)/found; \
	  echo "fuzz_$$target for $(FUZZ_SECONDS) s"; \
	  ASAN_OPTIONS=detect_leaks=1 ./$(FUZZ_BUILD)/fuzz_$$target -max_total_time=$(FUZZ_SECONDS) -timeout=10 \
	    -rss_limit_mb=2048 -max_len=65536 -print_final_stats=1 -artifact_prefix=$(FUZZ_BUILD)/found/$$target- \
	    $(FUZZ_BUILD)/corpus/$$target fuzz/seeds/$$target 2>$(FUZZ_BUILD)/fuzz_$$target.log \
	    || { tail -n 40 $(FUZZ_BUILD)/fuzz_$$target.log; exit 1; }; \
	  grep -E "stat::number_of_executed_units|stat::peak_rss_mb" $(FUZZ_BUILD)/fuzz_$$target.log; \
	done

install: build
	cmake -S . -B $(BUILD) -DCMAKE_INSTALL_PREFIX=$(PREFIX)
	cmake --install $(BUILD)
	@echo "Installed under $(PREFIX); start Penrook from the applications menu or with $(PREFIX)/bin/penrook."

uninstall:
	cmake -DMANIFEST=$(BUILD)/install_manifest.txt -P packaging/Uninstall.cmake

package:
	$(MAKE) deps EXTRA_PACKAGES="$(PACKAGE_TOOLS)"
	cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DPENROOK_BUILD_TESTS=OFF
	cmake --build $(PACKAGE_BUILD) -j$(JOBS)
	cd $(PACKAGE_BUILD) && cpack -G DEB
	cp $(PACKAGE_BUILD)/penrook_*.deb .
	@ls penrook_*.deb

clean:
	rm -rf $(BUILD) $(PACKAGE_BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD)
