#define IDS_NAME 109
#define IDS_HEX 0x20 // comment
