// The mark of every stand-in that lands in the test copy of the shipped folder. tools/release refuses a
// payload file that carries this text, as bytes (placeholder files) or in UTF-16 (a version resource), so
// a stand-in can never reach a vendor's release. Plain macro only: the resource compiler and
// write_placeholder.cmake read this file too.
#pragma once

#define LQ_STANDIN_MARKER "Letterquarry stand-in, not for release"
