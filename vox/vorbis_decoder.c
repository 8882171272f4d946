/* The Ogg Vorbis decoder, compiled once, inside the player library only. */
#include <stb_vorbis.h>
