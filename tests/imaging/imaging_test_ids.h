// Resource ids of the imaging test pictures.
#ifndef CLOCK_TESTS_IMAGING_TEST_IDS_H
#define CLOCK_TESTS_IMAGING_TEST_IDS_H

#define IDB_T01 900
#define IDB_T04 901
#define IDB_T08 902
#define IDB_T16 903
#define IDB_T24 904
#define IDB_T32 905
#define IDB_T236 906
#define IDB_RLE8 907
#define IDB_SHORT_ROWS 908
#define IDB_SHORT_BYTE 909
#define IDB_CLR300 910
#define IDB_SHORT_TABLE 911
#define IDB_NEGATIVE_HEIGHT 912
#define IDB_ZERO_WIDTH 913
#define IDB_BITS2 914
#define IDB_HUGE 915
#define IDB_HEADER_ONLY 916
#define IDR_THIRTY 917
// Exists nowhere.
#define IDB_MISSING 777

#endif
