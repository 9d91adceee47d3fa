//{{NO_DEPENDENCIES}}
// Symbols of Kelvra.rc.

// Dialogs
#define IDD_VCARD_EXPORT_PROGRESS       226
#define IDD_VCARD_IMPORT_PROGRESS       231
#define IDD_VCAL_EXPORT_PROGRESS        239
#define IDD_VCAL_IMPORT_PROGRESS        245
#define IDD_EVENT_LABELS                270
#define IDD_SELECT_ACTION               273

// Bitmaps and icons
#define IDB_PROGRESS_BANNER             272
#define IDI_IMPORT_EVENTS               280
#define IDI_EXPORT_CONTACTS             281
#define IDI_EXPORT_EVENTS               282
#define IDI_IMPORT_CONTACTS             283

// Controls
#ifndef IDC_STATIC
#define IDC_STATIC                      (-1)
#endif
#define IDC_PROGRESS                    202
#define IDC_PROGR_NAME                  209
#define IDC_PROGR_STATE                 210
#define IDC_BTN_HELP                    238
#define IDC_PANEL                       263
#define IDC_LABEL_BOLD                  272
#define IDC_CHK_LABEL1                  303
#define IDC_CHK_LABEL2                  304
#define IDC_CHK_LABEL3                  305
#define IDC_CHK_LABEL4                  306
#define IDC_CHK_LABEL5                  307
#define IDC_CHK_LABEL6                  308
#define IDC_CHK_LABEL7                  309
#define IDC_CHK_LABEL8                  310
#define IDC_CHK_LABEL9                  311
#define IDC_CHK_LABEL10                 312
#define IDC_BTN_EXPORT_CONTACTS         373
#define IDC_BTN_IMPORT_CONTACTS         374
#define IDC_BTN_EXPORT_EVENTS           375
#define IDC_BTN_IMPORT_EVENTS           376
#define IDC_FRA1                        379
#define IDC_LBL1                        380
#define IDC_LBL2                        381
#define IDC_LBL3                        382
#define IDC_LBL4                        383

// String table
#define IDS_COMPANY                     602
#define IDS_PRODUCT                     603
