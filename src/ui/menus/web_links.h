// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The web links menu's entries and their addresses, in the menu's order. The README lists
// the same table.

#include <array>

struct TWebLink {
    const char* Entry;   // the control's name
    const char* Caption; // the text of its picture
    const char* Address; // "" for a heading
    bool Hidden = false; // takes no row
};

inline constexpr std::array<TWebLink, 17> WebLinks = {{
    {"imgLunarResources", "Lunar Resources", ""},
    {"imgMoonViews", "The Moon (Views of the Solar System)", "https://solarviews.com/eng/moon.htm"},
    {"imgMoonNSSDC", "The Moon (NSSDC)",
     "https://nssdc.gsfc.nasa.gov/planetary/planets/moonpage.html"},
    {"imgExploringTheMoon", "Exploring The Moon", "https://www.lpi.usra.edu/lunar/"},
    {"imgAmericanLunarSociety", "The American Lunar Society", "https://www.amlunsoc.org/"},
    {"imgALPOLunarSection", "A.L.P.O. Lunar Section", "https://alpo-astronomy.org/"},
    {"imgInternationalOccultationTimingAssoc", "International Occultation Timing Assoc.",
     "https://occultations.org/"},
    {"imgInconstantMoon", "Inconstant Moon", "https://www.inconstantmoon.com/"},
    {"imgLureOfLunarDomes", "The Lure of Lunar Domes", "https://en.wikipedia.org/wiki/Lunar_dome",
     true},
    {"imgLunarOrbiterPhotographicAtlas", "Lunar Orbiter Photographic Atlas",
     "https://www.lpi.usra.edu/resources/lunar_orbiter/"},
    {"imgLunascan", "Lunascan", "https://quickmap.lroc.asu.edu/"},
    {"imgClementineLunarImageBrowser", "Clementine Lunar Image Browser",
     "https://pds-imaging.jpl.nasa.gov/volumes/clementine.html"},
    {"imgLunarEclipsePhotography", "Lunar Eclipse Photography",
     "https://www.mreclipse.com/LEphoto/LEphoto.html"},
    {"Image1", "Lunar Missions", ""},
    {"imgLunarProspectorMission", "Lunar Prospector Mission",
     "https://nssdc.gsfc.nasa.gov/nmc/spacecraft/display.action?id=1998-001A"},
    {"imgClementineMission", "Clementine Mission",
     "https://nssdc.gsfc.nasa.gov/nmc/spacecraft/display.action?id=1994-004A"},
    {"imgApolloLunarSurfaceJournal", "The Apollo Lunar Surface Journal",
     "https://www.nasa.gov/history/alsj/"},
}};
