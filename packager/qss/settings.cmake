# Crateforge's values for the shared parts of its style sheets.
set(QSS_UI_FONT "\"Microsoft YaHei\", \"Noto Sans CJK SC\"")
set(QSS_TEXT_FONT "${QSS_UI_FONT}")
set(QSS_FRAME "frameMain")
set(QSS_HEADER_HEIGHT "40px")
# The title bar's buttons are square at 30 px.
set(QSS_TITLE_BUTTON_SIZE "
    min-width: 30px;
    max-width: 30px;
    min-height: 30px;
    max-height: 30px;")
