// Symbols of fixture.rc: decimal, hexadecimal, and a macro that is no number.
#define IDS_FIRST 109
#define IDS_HEX 0x20
#define NOT_A_NUMBER(x) (x)
