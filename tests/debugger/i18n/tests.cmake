# One catalogue test source, built for each program with its own key texts.
project_add_test(debugger_catalogues
    SOURCES ${PROJECT_SOURCE_DIR}/tests/i18n/tst_catalogues.cpp ${CMAKE_CURRENT_LIST_DIR}/keytexts.cpp
    LIBS wrenpost_lib TIMEOUT 60)
