# The facts of the current release, kept in one place. The version is the
# project version; the date and the maintainer are set here. The package,
# the AppStream metainfo, the changelog and the manual page all read them.
#
# Included by resources/CMakeLists.txt and cmake/Packaging.cmake; it only
# sets variables, so including it twice is harmless.

# Day of the release, YYYY-MM-DD.
set(NLT_RELEASE_DATE 2026-12-06)

# Who answers for the package: the project itself, not a person. The
# address is a no-reply one because the project has no mailing list yet.
set(NLT_MAINTAINER
    "Nested Logic Test Developers <nested-logic-test@users.noreply.github.com>")

# The release date in the form of Debian changelogs (RFC 5322), for example
# "Sun, 06 Dec 2026 12:00:00 +0000"; the weekday is worked out here so that
# the date is never typed twice.
string(REGEX MATCH "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$" _nlt_date "${NLT_RELEASE_DATE}")
if(NOT _nlt_date)
    message(FATAL_ERROR "NLT_RELEASE_DATE must read YYYY-MM-DD, not '${NLT_RELEASE_DATE}'")
endif()
math(EXPR _nlt_year "${CMAKE_MATCH_1}")
math(EXPR _nlt_month "${CMAKE_MATCH_2}")
math(EXPR _nlt_day "${CMAKE_MATCH_3}")
# Sakamoto's method: 0 is Sunday.
set(_nlt_month_offsets 0 3 2 5 0 3 5 1 4 6 2 4)
math(EXPR _nlt_index "${_nlt_month} - 1")
list(GET _nlt_month_offsets ${_nlt_index} _nlt_offset)
set(_nlt_y ${_nlt_year})
if(_nlt_month LESS 3)
    math(EXPR _nlt_y "${_nlt_y} - 1")
endif()
math(EXPR _nlt_weekday
     "(${_nlt_y} + ${_nlt_y} / 4 - ${_nlt_y} / 100 + ${_nlt_y} / 400 + ${_nlt_offset} + ${_nlt_day}) % 7")
set(_nlt_weekdays Sun Mon Tue Wed Thu Fri Sat)
set(_nlt_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(GET _nlt_weekdays ${_nlt_weekday} _nlt_weekday_name)
list(GET _nlt_months ${_nlt_index} _nlt_month_name)
set(NLT_RELEASE_DATE_RFC5322
    "${_nlt_weekday_name}, ${CMAKE_MATCH_3} ${_nlt_month_name} ${CMAKE_MATCH_1} 12:00:00 +0000")
