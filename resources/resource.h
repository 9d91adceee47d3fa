//{{NO_DEPENDENCIES}}
// Symbols of Kelvra.rc.

// String table
#define IDS_COMPANY                     602
#define IDS_PRODUCT                     603
