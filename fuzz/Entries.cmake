# The library of fuzz entry functions, used by the fuzz programs and by the corpus replay test.
# Included from fuzz/ and from tests/; defined once.
if(NOT TARGET quillgrid_fuzz_entries)
  add_library(quillgrid_fuzz_entries STATIC
    ${PROJECT_SOURCE_DIR}/fuzz/FuzzEntries.h
    ${PROJECT_SOURCE_DIR}/fuzz/FuzzEntries.cpp
    ${PROJECT_SOURCE_DIR}/fuzz/EditFuzz.cpp)
  target_include_directories(quillgrid_fuzz_entries PUBLIC ${PROJECT_SOURCE_DIR})
  set_target_properties(quillgrid_fuzz_entries PROPERTIES AUTOMOC OFF)
  if(QUILLGRID_FUZZ)
    # The language-line parser, without the windows.
    add_library(quillgrid_language_parser STATIC
      ${PROJECT_SOURCE_DIR}/ui/LanguageTexts.cpp)
    target_include_directories(quillgrid_language_parser PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(quillgrid_language_parser PUBLIC quillgrid_core Qt6::Widgets)
    set_target_properties(quillgrid_language_parser PROPERTIES AUTOMOC OFF)
    target_link_libraries(quillgrid_fuzz_entries PUBLIC quillgrid_import quillgrid_export
      quillgrid_language_parser)
  else()
    target_link_libraries(quillgrid_fuzz_entries PUBLIC quillgrid_import quillgrid_export quillgrid_ui)
  endif()
endif()
