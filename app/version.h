/* The program's version, in one place: the version resource, the tray
   tooltip, the About box and the packages take it from here. Plain C
   preprocessor only: windres and Microsoft's rc read this file too. */
#ifndef LUMIVANE_VERSION_H
#define LUMIVANE_VERSION_H

#define LV_VERSION_TEXT "2.05"
#define LV_VERSION_NUMBERS 2, 5, 0, 0

#endif
