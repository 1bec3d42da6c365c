# Artwork and sounds of the clock. Included by the top-level Makefile and
# usable alone:  make -f tools/art/art.mk art   (from the repository root).
#
#   art            rebuild the generators and regenerate resources/*.bmp,
#                  resources/clock.ico and wave/*.wav (committed files)
#   contact-sheet  compose build/contact-sheet.png for a visual check

ART_HOST_CXX ?= g++
ART_CXXFLAGS ?= -std=c++17 -O2 -Wall -Wextra -Werror
ART_BUILD := build/art

.PHONY: art contact-sheet

$(ART_BUILD)/artgen: tools/art/artgen.cpp
	mkdir -p $(ART_BUILD)
	$(ART_HOST_CXX) $(ART_CXXFLAGS) -o $@ $<

$(ART_BUILD)/bellsynth: tools/art/bellsynth.cpp
	mkdir -p $(ART_BUILD)
	$(ART_HOST_CXX) $(ART_CXXFLAGS) -o $@ $<

art: $(ART_BUILD)/artgen $(ART_BUILD)/bellsynth
	mkdir -p resources wave
	$(ART_BUILD)/artgen resources
	$(ART_BUILD)/bellsynth wave

contact-sheet:
	mkdir -p build
	sh tools/art/contact-sheet.sh build/contact-sheet.png
