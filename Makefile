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
            xvfb x11-utils xdotool openbox desktop-file-utils appstream
# What making the Debian package needs on top.
PACKAGE_TOOLS := dpkg-dev file
PREFIX ?= $(HOME)/.local
PACKAGE_BUILD ?= build-deb

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: run test deps build clean install uninstall package

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
	rm -rf $(BUILD) $(PACKAGE_BUILD)
