# Tests of `orval ui`, run through a shell so that the exit status ("exit=N") is matched with the output.
set(ui_data ${CMAKE_CURRENT_SOURCE_DIR}/testdata/ui)
set(shipped_ui_description ${PROJECT_SOURCE_DIR}/resources/QZPOD_TZPrintServer.plist)

# orval_ui_test(NAME name ARGS ... PASS regex [FAIL regex] [ENVIRONMENT VAR=value...])
# The command's output (standard output and error) and its exit status are matched.
function(orval_ui_test)
  cmake_parse_arguments(T "" "NAME;PASS;FAIL" "ARGS;ENVIRONMENT" ${ARGN})
  string(JOIN " " args ${T_ARGS})
  add_test(NAME orval_cli_ui_${T_NAME}
    COMMAND sh -c "\"$<TARGET_FILE:orval_cli>\" ui ${args} 2>&1; echo \"exit=$?\"")
  if(NOT T_ENVIRONMENT)
    set(T_ENVIRONMENT LANGUAGE=en)
  endif()
  set_tests_properties(orval_cli_ui_${T_NAME} PROPERTIES PASS_REGULAR_EXPRESSION "${T_PASS}"
    ENVIRONMENT "${T_ENVIRONMENT}")
  if(T_FAIL)
    set_tests_properties(orval_cli_ui_${T_NAME} PROPERTIES FAIL_REGULAR_EXPRESSION "${T_FAIL}")
  endif()
endfunction()

# check: one faulty description per fault class, each found at its control and key.
orval_ui_test(NAME check_unknown_type ARGS check ${ui_data}/unknown_type.plist
  PASS "^error: StapleMode: control_type > PopUpButton: unknown control type \"PopUpButton\" \\(only the title is built\\)\n[^\n]*unknown_type.plist: 2 control descriptions, 1 error, 0 warnings\nexit=1\n$")
orval_ui_test(NAME check_undescribed_child ARGS check ${ui_data}/undescribed_child.plist
  PASS "^error: ChgPrintPaperSizeType: other_controls > ChgPrintPaperSizeLength: child control \"ChgPrintPaperSizeLength\" is not described\n[^\n]*: 2 control descriptions, 1 error, 0 warnings\nexit=1\n$")
# A target that no control edits is only a warning: the exit status stays 0.
orval_ui_test(NAME check_unedited_target ARGS check ${ui_data}/unedited_target.plist
  PASS "^warning: Fold: condition > Half > FoldSide: target \"FoldSide\" is edited by no control\n[^\n]*: 2 control descriptions, 0 errors, 1 warning\nexit=0\n$")
orval_ui_test(NAME check_bad_bound ARGS check ${ui_data}/bad_bound.plist
  PASS "^error: Magnification: conflict > __LESS__:fifty: pattern \"__LESS__:fifty\": \"fifty\" after \"__LESS__:\" is not a number\nerror: Booklet: unrestorable_conflict > True > Magnification > __GREATER__:: pattern \"__GREATER__:\": \"\" after \"__GREATER__:\" is not a number\n[^\n]*: 2 control descriptions, 2 errors, 0 warnings\nexit=1\n$")
orval_ui_test(NAME check_check_box_choices ARGS check ${ui_data}/check_box_choices.plist
  PASS "^error: Collate: choices: a check box needs exactly two choices \\(checked, unchecked\\); it has 3\n[^\n]*: 1 control description, 1 error, 0 warnings\nexit=1\n$")
orval_ui_test(NAME check_slider_choices ARGS check ${ui_data}/slider_choices.plist
  PASS "^error: Density: choices: a choice slider needs at least two choices; it has 1\n[^\n]*: 1 control description, 1 error, 0 warnings\nexit=1\n$")
orval_ui_test(NAME check_cycle ARGS check ${ui_data}/cycle.plist
  PASS "^error: OutputTray: condition > Finisher > OffsetMode: cycle among announced targets: OutputTray -> OffsetMode -> StapleMode -> OutputTray \\(condition, hide, cooperation\\)\n[^\n]*: 3 control descriptions, 1 error, 0 warnings\nexit=1\n$")
orval_ui_test(NAME check_json ARGS check ${ui_data}/cycle.plist --json
  PASS "^\\{\n  \"description\": \"[^\"]*cycle.plist\",\n  \"controls\": 3,\n  \"errors\": 1,\n  \"warnings\": 0,\n  \"findings\": \\[\n    \\{\n      \"severity\": \"error\",\n      \"control\": \"OutputTray\",\n      \"key\": \"condition\",\n      \"path\": \\[\n        \"Finisher\",\n        \"OffsetMode\"\n      \\],\n      \"message\": \"cycle among announced targets: [^\"]*\"\n    \\}\n  \\]\n\\}\nexit=1\n$")

# check: the shipped UI description and the valid fixtures pass. The KORAUI
# fixture KoraUITest.plist is left out: its "Loop" lists itself among its own
# children on purpose, to test the builder's guard.
orval_ui_test(NAME check_shipped ARGS check ${shipped_ui_description}
  PASS "^[^\n]*QZPOD_TZPrintServer.plist: 198 control descriptions, 0 errors, 0 warnings\nexit=0\n$")
orval_ui_test(NAME check_shipped_json ARGS check ${shipped_ui_description} --json
  PASS "\"controls\": 198,\n  \"errors\": 0,\n  \"warnings\": 0,\n  \"findings\": \\[\\]\n\\}\nexit=0\n$")
foreach(fixture
    settings_ui/testdata/Fallback.bundle/Contents/Resources/UI.plist
    settings_ui/testdata/kora_mgr/Engine.bundle/Contents/Resources/UI.plist
    settings_ui/testdata/KoraUI.plugin/Contents/PlugIns/Pane.bundle/Contents/Resources/UI.plist
    panes/testdata/Test.plugin/Contents/Resources/TestUI.plist)
  string(REGEX REPLACE "/Contents/.*$" "" fixture_name "${fixture}")
  string(REGEX REPLACE "[/.]" "_" fixture_name "${fixture_name}")
  orval_ui_test(NAME check_fixture_${fixture_name} ARGS check ${PROJECT_SOURCE_DIR}/src/${fixture}
    PASS "^[^\n]*: [0-9]+ control descriptions?, 0 errors, [0-9]+ warnings?\nexit=0\n$")
endforeach()

# check: descriptions that cannot be read exit with 2.
orval_ui_test(NAME check_absent ARGS check ${ui_data}/absent.plist
  PASS "^orval: cannot read the UI description [^\n]*absent.plist: No such file or directory\nexit=2\n$")
orval_ui_test(NAME check_malformed ARGS check ${ui_data}/malformed.plist
  PASS "^orval: cannot read the UI description [^\n]*malformed.plist: malformed XML property list[^\n]*\nexit=2\n$")
orval_ui_test(NAME check_array_root ARGS check ${ui_data}/array_root.plist
  PASS "^orval: the UI description [^\n]*array_root.plist is not a dictionary of control descriptions \\(its root is an array\\)\nexit=2\n$")

# dump: controls of the shipped description, laid out as high as they need.
# A pop-up: the title row, then the value row (titles are their keys without --bundle, in any language).
orval_ui_test(NAME dump_popup ARGS dump ${shipped_ui_description} DuplexMode ENVIRONMENT LANGUAGE=ja
  PASS "^KORAUI \\(0, 0, 400, 48\\) keyword=\"DuplexMode\" type=\"PopupButton\" value=\"None\"\n  TextField \\(24, 24, 376, 20\\) title=\"2-Sided Printing\"\n  PopUpButton \\(24, 0, 376, 24\\) value=\"Off\"\n    - \"Off\" = \"None\" selected\n    - \"Long-Edge Binding\" = \"DuplexNoTumble\"\n    - \"Short-Edge Binding\" = \"DuplexTumble\"\nexit=0\n$")
# At 400 x 100 the frames are those of a titled pop-up 100 high.
orval_ui_test(NAME dump_popup_sized ARGS dump ${shipped_ui_description} DuplexMode --width 400 --height 100
  PASS "^KORAUI \\(0, 0, 400, 100\\)[^\n]*\n  TextField \\(24, 76, 376, 20\\)[^\n]*\n  PopUpButton \\(24, 52, 376, 24\\).*exit=0\n$")
# A pop-up with two number fields as children; the second continues the first's row.
orval_ui_test(NAME dump_number_children ARGS dump ${shipped_ui_description} ChgPrintPaperSizeType
  PASS "^KORAUI \\(0, 0, 400, 102\\)[^\n]*\n  TextField \\(24, 78, 376, 20\\) title=\"Output Paper Size\"\n  PopUpButton \\(24, 54, 376, 24\\) value=\"Same as Document Size\"\n.*    - separator\n.*  KORAUI \\(0, 0, 200, 54\\) keyword=\"ChgPrintPaperSizeWidth\" type=\"TextField_number\" value=\"210.0\"\n    TextField \\(42, 30, 60, 20\\) title=\"Width\"\n    KORATextField \\(102, 30, 49, 24\\) value=\"210.0\"\n    Stepper \\(151, 30, 24, 24\\) value=\"210\"\n    TextField \\(175, 30, 25, 24\\) title=\"mm \\(100.0 - 330.2\\)\"\n  KORAUI \\(200, 0, 200, 54\\) keyword=\"ChgPrintPaperSizeLength\"[^\n]*\n    TextField \\(42, 30, 60, 20\\) title=\"Length\"\n    KORATextField \\(102, 30, 49, 24\\) value=\"297.0\"\n.*exit=0\n$")
# A radio group: one row of 24 per choice below the title, the selection made, and its child.
orval_ui_test(NAME dump_radio ARGS dump ${shipped_ui_description} PhysicalPageRangeMode
  PASS "^KORAUI \\(0, 0, 400, 118\\) keyword=\"PhysicalPageRangeMode\" type=\"RadioButton\" value=\"All\"\n  TextField \\(24, 94, 376, 20\\) title=\"Output Page Range\"\n  Matrix \\(24, 46, 376, 48\\) value=\"0\"\n    - \"All Pages\" = \"All\" on\n    - \"Specified Pages\" = \"Appoint\" off\n  KORAUI \\(0, 0, 400, 54\\) keyword=\"PhysicalPageRange\" type=\"TextField_text\"\n    TextField \\(42, 30, 60, 20\\) title=\"Pages\"\n    KORATextField \\(102, 30, 283, 24\\) value=\"\"\nexit=0\n$")
orval_ui_test(NAME dump_json ARGS dump ${shipped_ui_description} DuplexMode --json
  PASS "^\\{\n  \"class\": \"KORAUI\",\n  \"frame\": \\[\n    0.0,\n    0.0,\n    400.0,\n    48.0\n  \\],\n  \"mainKeyword\": \"DuplexMode\",.*\"items\": \\[\n        \\{\n          \"title\": \"Off\",\n          \"value\": \"None\",\n          \"enabled\": true,\n          \"selected\": true\n        \\},.*exit=0\n$")
# With the bundle, titles and choice texts come from its "UI" string table.
orval_ui_test(NAME dump_localized ARGS dump ${shipped_ui_description} DuplexMode --bundle ${ORVAL_BUNDLE_DIR}
  ENVIRONMENT LANGUAGE=ja
  PASS "^KORAUI \\(0, 0, 400, 48\\)[^\n]*\n  TextField \\(24, 24, 376, 20\\) title=\"両面印刷\"\n  PopUpButton \\(24, 0, 376, 24\\) value=\"しない\"\n.*exit=0\n$")
# dump: what cannot be built exits with 2.
orval_ui_test(NAME dump_undescribed ARGS dump ${shipped_ui_description} NoSuchControl
  PASS "^orval: \"NoSuchControl\" is not described in [^\n]*QZPOD_TZPrintServer.plist\nexit=2\n$")
orval_ui_test(NAME dump_not_a_bundle ARGS dump ${shipped_ui_description} DuplexMode --bundle ${ui_data}
  PASS "^orval: [^\n]*testdata/ui is not a bundle \\(no folder Contents/Resources in it\\)\nexit=2\n$")
orval_ui_test(NAME dump_unreadable ARGS dump ${ui_data}/array_root.plist DuplexMode
  PASS "^orval: the UI description [^\n]*array_root.plist is not a dictionary of control descriptions \\(its root is an array\\)\nexit=2\n$")
