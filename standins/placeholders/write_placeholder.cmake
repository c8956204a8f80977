# cmake -DOUT=path -DNAME=file -P write_placeholder.cmake: one placeholder file that stands in for an
# outside component the setup program only copies. Its bytes differ per name (so a copy to the wrong
# place shows), and include CR, LF, control and high bytes (so any change of the bytes on the way shows).
string(SHA256 digest "${NAME}")
string(ASCII 1 13 10 26 127 128 200 255 high_etc)
file(WRITE "${OUT}" "Letterquarry stand-in placeholder for ${NAME}. This is not the real component.\r\n${digest}\n${high_etc}\r\r\n")
