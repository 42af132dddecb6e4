# Wrenpost's values for the shared parts of its style sheet.
set(QSS_UI_FONT "\"Source Code Pro\", \"Microsoft YaHei\", \"Noto Sans CJK SC\"")
set(QSS_TEXT_FONT "\"Source Code Pro\", \"Noto Sans Mono CJK SC\", \"Noto Sans CJK SC\"")
set(QSS_FRAME "frameMian")
set(QSS_HEADER_HEIGHT "50px")
set(QSS_TITLE_BUTTON_SIZE "")
