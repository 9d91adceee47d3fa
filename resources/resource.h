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

// Contact wizard pages
#define IDD_VCARD_EXPORT                224
#define IDD_VCARD_EXPORT_OPTIONS        225
#define IDD_VCARD_EXPORT_FINISH         227
#define IDD_VCARD_IMPORT                228
#define IDD_VCARD_IMPORT_FINISH         229
#define IDD_VCARD_IMPORT_OPTIONS        230
#define IDI_WIN_FOLDER                  232
#define IDI_OL_FOLDER                   235
#define IDC_BTN_CATEGORIES              10
#define IDC_CBO_LUDE_CATEGORIES         220
#define IDC_LBL_OVERWRITE               224
#define IDC_LBL_FORMAT                  225
#define IDC_LBL_ENCODING                226
#define IDC_BTN_OPTIONS                 227
#define IDC_TXT_OL_FLD                  228
#define IDC_TXT_WIN_FLD                 229
#define IDC_BTN_OL_FLD                  230
#define IDC_BTN_WIN_FLD                 231
#define IDC_CHK_SAVE_ONE_FILE           232
#define IDC_CHK_EXPORT_SELECTED         233
#define IDC_LBL_PRIVATES                234
#define IDC_CHK_OVERWRITE               243
#define IDC_OPT_VCARD21                 244
#define IDC_OPT_VCARD30                 245
#define IDC_CBO_ENCODING                246
#define IDC_CHK_OPEN_FOLDER             251
#define IDC_LBL_NUM_SELECTED            252
#define IDC_LBL_NUM_EXPORTED            253
#define IDC_LBL_NUM_FAILURES            254
#define IDC_LBL_NUM_SKIPPED             255
#define IDC_LBL_STATUS                  256
#define IDC_LBL_NUM_IMPORTED            260
#define IDC_OPT_DUPLICATE               261
#define IDC_OPT_REPLACE                 262
#define IDC_OPT_LEAVE                   263
#define IDC_LABEL1                      264
#define IDC_FRA_OPTIONS                 265
#define IDC_LABEL2                      266
#define IDC_LABEL3                      267
#define IDC_LABEL4                      268
#define IDC_LABEL5                      269
#define IDC_LABEL6                      270
#define IDC_LABEL7                      271
#define IDC_LABEL8                      272
#define IDC_LBL_WHY_SKIPPED             273
#define IDC_LNK_OPEN_FOLDER             277
#define IDC_LBL_OPEN_FOLDER             278
#define IDC_FRA_FILTER                  279
#define IDC_CHK_CATEGORIES              284
#define IDC_CHK_IGNORE_PRIVATES         286
#define IDC_TXT_CATEGORIES              290
#define IDC_LBL_CHK_CATEGORIES_END      296
#define IDC_FRA_FOLDERS                 305
#define IDC_LBL                         306
#define IDC_LBL_TXT_CATEGORIES          312
#define IDC_CHK_OPEN_EMAIL              377
#define IDC_FRA2                        384
#define IDC_FRA3                        385
#define IDC_FRA4                        387
#define IDC_LBL_CR                      390
#define IDC_LBL_FRA_FOLDERS             391

// Connection object and ribbon
#define IDI_SYNC                        292
#define IDI_RIBBON_EXPORT_CONTACTS      293
#define IDI_RIBBON_EXPORT_EVENTS        294
#define IDI_RIBBON_IMPORT_CONTACTS      295
#define IDI_RIBBON_IMPORT_EVENTS        296
#define IDR_CONNECT                     900

// Command bars
#define IDB_EVENTS_EXPORT_MASK          257
#define IDB_EVENTS_EXPORT               258
#define IDB_CONTACTS_EXPORT             260
#define IDB_CONTACTS_EXPORT_MASK        262
#define IDB_EVENTS_IMPORT_MASK          263
#define IDB_EVENTS_IMPORT               264
#define IDB_CONTACTS_IMPORT_MASK        266
#define IDB_CONTACTS_IMPORT             267
#define IDB_SYNC_ALL                    285
#define IDB_SYNC_ALL_MASK               286

// Calendar export wizard
#define IDD_VCAL_EXPORT                 238
#define IDD_VCAL_EXPORT_FINISH          240
#define IDD_VCAL_EXPORT_OPTIONS         241
#define IDD_VCAL_EXPORT_FILTER          268
#define IDI_OL_CAL_FOLDER               247
#define IDC_BTN_EXPORT_ALL              3
#define IDC_BTN_LABELS                  11
#define IDC_CBO_LUDE_LABELS             221
#define IDC_OPT_VCAL10                  274
#define IDC_OPT_VCAL20                  275
#define IDBACK                          282
#define IDC_CHK_IGNORE_ALLDAYS          285
#define IDC_CHK_LABELS                  287
#define IDC_CHK_DATES                   288
#define IDC_TXT_LABELS                  291
#define IDC_DTP_START                   292
#define IDC_DTP_END                     293
#define IDC_BTN_DEFAULTS                294
#define IDC_LBL_CHK_LABELS_END          297
#define IDC_LBL_START                   298
#define IDC_LBL_END                     299
#define IDC_LBL_CLICK1                  300
#define IDC_LBL_CLICK2                  301
#define IDC_LBL_CLICK3                  302
#define IDC_LBL_CLICK4                  303
#define IDC_LBL5                        386

// Debug dialog
#define IDD_DEBUG                       132
#define IDC_CBO_DEBUG_LANG              220
#define IDC_CBO_DEBUG_DIALOG            221
#define IDC_BTN_DEBUG_FOREGROUND        313
#define IDC_TXT_DEBUG_TOPIC             371
#define IDC_BTN_DEBUG_HELP              372
#define IDC_TXT_DEBUG_HWND              388
#define IDC_BTN_DEBUG_SHOW              389
#define IDC_BTN_DEBUG_SLIDE_SHOW        392

// Calendar import wizard
#define IDD_VCAL_IMPORT                 242
#define IDD_VCAL_IMPORT_FINISH          243
#define IDD_VCAL_IMPORT_OPTIONS         244
#define IDD_VCAL_IMPORT_FILTER          271
#define IDC_CBO_TIMEZONE                220
#define IDC_BTN_IMPORT_ALL              307
#define IDC_LBL_TIMEZONE                378
#define IDC_TXT_CR                      388
