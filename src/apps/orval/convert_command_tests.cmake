# Tests of `orval convert`, run through a shell so that the option set comes on standard input.
set(convert_data ${CMAKE_CURRENT_SOURCE_DIR}/testdata/convert)

# orval_convert_test(NAME name INPUT file ARGS ... PASS regex [FAIL regex])
# The command's output (standard output and error) and its exit status ("exit=N") are matched.
function(orval_convert_test)
  cmake_parse_arguments(T "" "NAME;INPUT;PASS;FAIL" "ARGS" ${ARGN})
  string(JOIN " " args ${T_ARGS})
  add_test(NAME orval_cli_convert_${T_NAME}
    COMMAND sh -c "\"$<TARGET_FILE:orval_cli>\" convert ${args} < \"${convert_data}/${T_INPUT}\" 2>&1; echo \"exit=$?\"")
  set_tests_properties(orval_cli_convert_${T_NAME} PROPERTIES PASS_REGULAR_EXPRESSION "${T_PASS}"
    ENVIRONMENT "ORVAL_BUNDLE=;LANGUAGE=en")
  if(T_FAIL)
    set_tests_properties(orval_cli_convert_${T_NAME} PROPERTIES FAIL_REGULAR_EXPRESSION "${T_FAIL}")
  endif()
endfunction()

# Conversions: the results are JSON with the values' types, and nothing else on standard output.
orval_convert_test(NAME to_canonical INPUT booklet_internal.json ARGS --from internal --to canonical
  PASS "^\\{\n.*\"CreasePosition1\": \"39685\",.*\"SecurityPrint\": true,\n  \"SecurityPrintPassword\": \"ENC1:[0-9A-F]+\",.*\"Punch\": \"MixSize\",\n  \"PunchHoles\": \"Holes4\",.*\"BackMargin\": \"567\",.*\n\\}\nexit=0\n$"
  FAIL "ENCODE:|xxx")
orval_convert_test(NAME no_custom INPUT booklet_internal.json ARGS --from internal --to canonical --no-custom
  PASS "\"ChgPrintPaperSizeLength\": \"100\",.*\"SecurityPrintPassword\": \"s3cret\".*exit=0")
orval_convert_test(NAME to_inputmgr INPUT finishing_canonical.json ARGS --from canonical --to inputmgr
  PASS "^\\{\n  \"FN_STAPLE\": 1,\n  \"LY_CENTER\": true,\n  \"PA_TRAY\": 13,\n  \"PR_HLWARN\": \"0.25\"\n\\}\nexit=0\n$")
orval_convert_test(NAME from_favorite INPUT favorite_inputmgr.json ARGS --from inputmgr --to canonical
  PASS "\"QZRGBColorCorrect\": \"AdobeRGB\",.*\"QZSaveFile\": \"TIFF600dpi\".*exit=0"
  FAIL "QZSRGBAuto|XX_UNKNOWN")
orval_convert_test(NAME yen_sign INPUT favorite_inputmgr.json ARGS --from inputmgr --to internal
  PASS "\"FormName\": \"[\\\\][\\\\][\\\\][\\\\]srv[\\\\][\\\\]letter\".*\"Magnification\": \"141.5\".*exit=0")
orval_convert_test(NAME own_table INPUT finishing_canonical.json
  ARGS --from canonical --to inputmgr --table ${PROJECT_SOURCE_DIR}/resources/ConvertTable.plist
  PASS "\"FN_STAPLE\": 1.*exit=0")
add_test(NAME orval_cli_convert_password_round_trip
  COMMAND sh -c "\"$<TARGET_FILE:orval_cli>\" convert --from internal --to canonical < \"${convert_data}/booklet_internal.json\" | \"$<TARGET_FILE:orval_cli>\" convert --from canonical --to internal")
set_tests_properties(orval_cli_convert_password_round_trip PROPERTIES
  PASS_REGULAR_EXPRESSION "\"SecurityPrintPassword\": \"s3cret\".*\"ImpositionBooklet_CreepTotalOffset\": \"1.00\"")

# The consistency check: the alert's messages as the bundle words them, exit status 1 when
# something is missing.
orval_convert_test(NAME check_missing INPUT check_missing.json ARGS --check
  PASS "^Some required settings are missing\\.\n  Enter the password for secure print\\.\n  Enter the e-mail address for notification\\.\nexit=1\n$")
orval_convert_test(NAME check_json INPUT check_missing.json ARGS --check --json
  PASS "\"consistent\": false,.*\"keys\": \\[\n    \"Alert_SecurityPrintPassword\",\n    \"Alert_MailAddress\"\n  \\].*exit=1")
orval_convert_test(NAME check_passes INPUT empty.json ARGS --check PASS "^exit=0\n$")

# Errors: a message on standard error and a failing exit status.
orval_convert_test(NAME invalid_json INPUT not_json.txt ARGS --from internal --to canonical
  PASS "orval: the input is not valid JSON: .*exit=1")
orval_convert_test(NAME not_an_object INPUT array.json ARGS --from internal --to canonical
  PASS "orval: the input must be a JSON object of print options, not array\nexit=1")
orval_convert_test(NAME null_value INPUT null_value.json ARGS --from internal --to canonical
  PASS "orval: option \"Punch_PunchHoles\": null is not an option value.*exit=1")
orval_convert_test(NAME unknown_form INPUT empty.json ARGS --from internal --to xml
  PASS "orval: unknown form \"xml\" for --to \\(use internal, canonical or inputmgr\\)\nexit=1")
orval_convert_test(NAME missing_form INPUT empty.json ARGS --from internal
  PASS "orval: convert needs --from and --to \\(or --check\\)\nexit=1")
orval_convert_test(NAME unreadable_table INPUT empty.json
  ARGS --from inputmgr --to canonical --table ${convert_data}/not_a_table.plist
  PASS "orval: cannot read the convert table .*not_a_table.plist: .*exit=1")
orval_convert_test(NAME absent_table INPUT empty.json
  ARGS --from canonical --to inputmgr --table ${convert_data}/absent.plist
  PASS "orval: cannot read the convert table .*absent.plist.*exit=1")
