# Artwork and sounds of the clock. Included by the top-level Makefile and
# usable alone:  make -f tools/art/art.mk art   (from the repository root).
#
#   art            rebuild the generators and regenerate resources/*.bmp,
#                  resources/clock.ico and wave/*.wav (committed files)
#   art-check      regenerate them into a temporary folder and fail unless
#                  every file matches the committed one byte for byte
#   contact-sheet  compose build/contact-sheet.png for a visual check

ART_HOST_CXX ?= g++
ART_CXXFLAGS ?= -std=c++17 -O2 -Wall -Wextra -Werror
ART_BUILD := build/art

ARTGEN_SRCS := $(addprefix tools/art/,main.cpp shapes.cpp render.cpp text.cpp motifs.cpp \
	quantise.cpp bmp.cpp small_scene.cpp medium_scene.cpp large_scene.cpp)
ARTGEN_OBJS := $(patsubst tools/art/%.cpp,$(ART_BUILD)/obj/%.o,$(ARTGEN_SRCS))

.PHONY: art art-check contact-sheet

$(ART_BUILD)/obj/%.o: tools/art/%.cpp
	@mkdir -p $(@D)
	$(ART_HOST_CXX) $(ART_CXXFLAGS) -MMD -MP -c -o $@ $<

$(ART_BUILD)/artgen: $(ARTGEN_OBJS)
	$(ART_HOST_CXX) $(ART_CXXFLAGS) -o $@ $^

$(ART_BUILD)/bellsynth: tools/art/bellsynth.cpp
	@mkdir -p $(@D)
	$(ART_HOST_CXX) $(ART_CXXFLAGS) -o $@ $<

-include $(ARTGEN_OBJS:.o=.d)

art: $(ART_BUILD)/artgen $(ART_BUILD)/bellsynth
	mkdir -p resources wave
	$(ART_BUILD)/artgen resources
	$(ART_BUILD)/bellsynth wave

art-check: $(ART_BUILD)/art-check.ok
	@:

# Checked again only when a generator or a committed file (or the folders' lists) changed since
# the last passing check; a fresh clone always checks.
$(ART_BUILD)/art-check.ok: $(ART_BUILD)/artgen $(ART_BUILD)/bellsynth resources wave \
		$(wildcard resources/*.bmp resources/clock.ico wave/*.wav)
	@sh tools/art/art-check.sh $(ART_BUILD)
	@touch $@

contact-sheet:
	mkdir -p build
	sh tools/art/contact-sheet.sh build/contact-sheet.png
