# SPDX-License-Identifier: MIT
# Read by CPack for each Windows package before it installs the files to pack:
# every date the packing writes is the source's (the time of the commit built)
# rather than the time of packing. binutils' strip writes SOURCE_DATE_EPOCH as
# the time in each program's and library's header, and CPack's archives take
# their files' times from it, when the environment has it.
if(NOT "${CPACK_AMORIAL_SOURCE_DATE_EPOCH}" STREQUAL "" AND "$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
    set(ENV{SOURCE_DATE_EPOCH} "${CPACK_AMORIAL_SOURCE_DATE_EPOCH}")
endif()
# A ZIP holds its files' times as local times: they are written in UTC, so
# that packings in different time zones agree.
set(ENV{TZ} "UTC0")
