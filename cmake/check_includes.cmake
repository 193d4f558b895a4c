# Fails when a source of a layer that is to run on every system includes anything but the C++
# standard library and the layers' own headers ("layer/file.h"): no Qt, no POSIX, no Windows.
#
#   cmake -DSTAMP=file -DSOURCES="a.cpp;b.h" -P check_includes.cmake
cmake_minimum_required(VERSION 3.21)
set(standard
  algorithm any array atomic barrier bit bitset cassert cctype cerrno cfenv cfloat charconv chrono
  cinttypes climits clocale cmath codecvt compare complex concepts condition_variable coroutine
  csetjmp csignal cstdarg cstddef cstdint cstdio cstdlib cstring ctime cuchar cwchar cwctype deque
  exception execution filesystem format forward_list fstream functional future initializer_list
  iomanip ios iosfwd iostream istream iterator latch limits list locale map memory
  memory_resource mutex new numbers numeric optional ostream queue random ranges ratio regex
  scoped_allocator semaphore set shared_mutex source_location span sstream stack stdexcept
  stop_token streambuf string string_view syncstream system_error thread tuple type_traits
  typeindex typeinfo unordered_map unordered_set utility valarray variant vector version)
set(faults "")
foreach(source IN LISTS SOURCES)
  file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*<")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*<([^>]*)>.*" "\\1" header "${line}")
    if(NOT header IN_LIST standard)
      string(APPEND faults "\n  ${source}: <${header}>")
    endif()
  endforeach()
endforeach()
if(faults)
  message(FATAL_ERROR "a layer that runs on every system includes a header of one system:${faults}")
endif()
file(TOUCH "${STAMP}")
