# cmake -DOUT=path -DNAME=file -DMARKER_HEADER=standin_marker.h -P write_placeholder.cmake: one placeholder file
# that stands in for an outside component the setup program only copies. Its bytes differ per name (so a
# copy to the wrong place shows), and include CR, LF, control and high bytes (so any change of the bytes on
# the way shows). It carries the stand-in marker, so that tools/release refuses it.
file(STRINGS "${MARKER_HEADER}" marker_line REGEX "#define LQ_STANDIN_MARKER ")
string(REGEX REPLACE ".*\"(.*)\".*" "\\1" marker "${marker_line}")
string(SHA256 digest "${NAME}")
string(ASCII 1 13 10 26 127 128 200 255 high_etc)
file(WRITE "${OUT}" "Letterquarry stand-in placeholder for ${NAME}. This is not the real component.\r\n${marker}\r\n${digest}\n${high_etc}\r\r\n")
