# SPDX-License-Identifier: MIT
# Run by CPack for the Windows packages: before packing, signs the program in
# the folder to be packed; after, signs the installer. It signs with
# osslsigncode when the environment names a certificate:
#   AMORIAL_SIGN_PKCS12    a PKCS#12 file (.pfx, .p12) holding the key and its certificate
#   AMORIAL_SIGN_PASSWORD  that file's password
#   AMORIAL_SIGN_TIMESTAMP optionally, the address of a time-stamping server
# Without a certificate it says that it did not sign, and signs nothing.
#
# Signing is the last step, so that a signed download can be checked against
# the source: its signature (osslsigncode extract-signature), attached to the
# unsigned file of a build of the same commit, gives the signed file byte for
# byte (remove-signature would not: it leaves signing's padding and header
# checksum). The installer holds the signed program, so the installer to
# attach its signature to is packed with the program's signature attached
# instead of made:
#   AMORIAL_PROGRAM_SIGNATURE  the signature of a signed amorial.exe
#                              (osslsigncode extract-signature), which is
#                              attached to the program; the installer is
#                              then left unsigned.

if(DEFINED CPACK_PACKAGE_FILES)
    set(unsigned ${CPACK_PACKAGE_FILES})
    list(FILTER unsigned INCLUDE REGEX "\\.exe$")
else()
    set(unsigned ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/amorial.exe)
endif()
if(NOT unsigned)
    return()
endif()

if(NOT "$ENV{AMORIAL_PROGRAM_SIGNATURE}" STREQUAL "")
    find_program(osslsigncode osslsigncode REQUIRED)
    foreach(file IN LISTS unsigned)
        get_filename_component(name ${file} NAME)
        if(NOT name STREQUAL "amorial.exe")
            message(STATUS "Not signed: ${name} (AMORIAL_PROGRAM_SIGNATURE attaches the program's signature only)")
            continue()
        endif()
        execute_process(
            COMMAND ${osslsigncode} attach-signature -sigin "$ENV{AMORIAL_PROGRAM_SIGNATURE}"
                    -in ${file} -out ${file}.signed
            RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
        # osslsigncode checks the attached signature against the system's
        # certificate authorities too, and says so in its status; the file it
        # writes is what counts, and is compared by whoever checks.
        if(NOT EXISTS ${file}.signed)
            message(FATAL_ERROR "Attaching the signature to ${name} failed: ${output}")
        endif()
        file(RENAME ${file}.signed ${file})
        message(STATUS "Signature attached: ${name}")
    endforeach()
    return()
endif()

if("$ENV{AMORIAL_SIGN_PKCS12}" STREQUAL "")
    foreach(file IN LISTS unsigned)
        get_filename_component(name ${file} NAME)
        message(STATUS "Not signed: ${name} (no certificate: AMORIAL_SIGN_PKCS12 names none)")
    endforeach()
    return()
endif()

find_program(osslsigncode osslsigncode)
if(NOT osslsigncode)
    message(FATAL_ERROR "Signing needs osslsigncode (Debian's package osslsigncode)")
endif()
if(NOT EXISTS "$ENV{AMORIAL_SIGN_PKCS12}")
    message(FATAL_ERROR "AMORIAL_SIGN_PKCS12 names $ENV{AMORIAL_SIGN_PKCS12}, which does not exist")
endif()
set(timestamp)
if(NOT "$ENV{AMORIAL_SIGN_TIMESTAMP}" STREQUAL "")
    set(timestamp -ts "$ENV{AMORIAL_SIGN_TIMESTAMP}")
endif()
# The password goes to osslsigncode in a file of the user's own, not on its
# command line, where other users could read it.
string(RANDOM LENGTH 12 suffix)
set(password_file ${CPACK_TOPLEVEL_DIRECTORY}/sign-${suffix}.pass)
file(WRITE ${password_file} "")
file(CHMOD ${password_file} PERMISSIONS OWNER_READ OWNER_WRITE)
file(WRITE ${password_file} "$ENV{AMORIAL_SIGN_PASSWORD}")
foreach(file IN LISTS unsigned)
    get_filename_component(name ${file} NAME)
    execute_process(
        COMMAND ${osslsigncode} sign -pkcs12 "$ENV{AMORIAL_SIGN_PKCS12}" -readpass ${password_file}
                -h sha256 -n Amorial -i "${CPACK_NSIS_URL_INFO_ABOUT}" ${timestamp}
                -in ${file} -out ${file}.signed
        RESULT_VARIABLE status
        OUTPUT_VARIABLE output
        ERROR_VARIABLE output)
    if(NOT status EQUAL 0)
        file(REMOVE ${password_file} ${file}.signed)
        message(FATAL_ERROR "Signing ${name} failed: ${output}")
    endif()
    file(RENAME ${file}.signed ${file})
    message(STATUS "Signed: ${name}")
endforeach()
file(REMOVE ${password_file})
