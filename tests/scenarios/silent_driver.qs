# A driver that answers the revision query with success but writes nothing: the revisions stay
# empty, so the panel takes the coarse step (0.025 to 6.375) on every time field.
fault silent kelqorm_revision_query 0
doubleclick SI_LIST 1
check MP_HW_VER = ""
check ABOUT_HRDW_VERSION = ""
check ABOUT_DRVR_VERSION = ""
check MP_GT range = 0.025 6.375 0.025
check MP_T_1 range = 0.025 6.375 0.025
check MP_T_1 visible
