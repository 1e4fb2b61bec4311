# Windows programs run with UTF-8 as their 8-bit (ANSI) code page, through the activeCodePage
# setting of their application manifest: the 8-bit Windows calls (GetTempPathA,
# MakeSureDirectoryPathExists, SHGetPathFromIDListA, HtmlHelpA, GetModuleFileNameA, the command
# line) then take and give the same UTF-8 text as the rest of the program, also for paths such
# as C:\Users\Jürgen. Windows older than 10 (version 1903) ignore the setting.
function(varnemo_use_utf8_code_page target)
  if(WIN32)
    target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/data/windows/utf8-code-page.rc)
  endif()
endfunction()
