# Compiles the staged help project into the CHM, run with `cmake -P`.
# chmcmd writes into the current directory and can leave a broken file behind
# on failure, so the result is checked and only then moved to OUTPUT; on any
# failure neither the staged nor the final file survives.
#
# Variables: CHMCMD, STAGE_DIR, PROJECT_FILE (in STAGE_DIR), CHM_NAME, OUTPUT.

set(staged "${STAGE_DIR}/${CHM_NAME}")
file(REMOVE "${staged}" "${OUTPUT}")

execute_process(
    COMMAND "${CHMCMD}" "${PROJECT_FILE}"
    WORKING_DIRECTORY "${STAGE_DIR}"
    RESULT_VARIABLE result
    OUTPUT_VARIABLE log
    ERROR_VARIABLE log)

# chmcmd reports broken links and anchors as "Error:" lines but still exits 0.
set(failure "")
if(NOT result EQUAL 0)
    set(failure "chmcmd exited with ${result}")
elseif(log MATCHES "(^|\n)Error:")
    set(failure "chmcmd reported errors")
elseif(NOT EXISTS "${staged}")
    set(failure "chmcmd wrote no ${CHM_NAME}")
else()
    file(SIZE "${staged}" size)
    if(size LESS 1024)
        set(failure "${CHM_NAME} is only ${size} bytes")
    endif()
endif()

if(failure)
    file(REMOVE "${staged}" "${OUTPUT}")
    message(FATAL_ERROR "Help file not built: ${failure}\n${log}")
endif()

get_filename_component(output_dir "${OUTPUT}" DIRECTORY)
file(MAKE_DIRECTORY "${output_dir}")
file(COPY_FILE "${staged}" "${OUTPUT}.part")
file(RENAME "${OUTPUT}.part" "${OUTPUT}")
