# Run by CPack on the staged tree before it is packed: the default settings
# file moves to /etc/sonara, where the package marks it as a conffile (a file
# the user or the administrator may edit, kept across upgrades), and the data
# folder keeps an absolute link to it.
set(staged "${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
if(NOT EXISTS "${staged}/usr/share/sonara/SONARA.INI")
  message(FATAL_ERROR "settings_to_etc: no usr/share/sonara/SONARA.INI under ${staged}")
endif()
file(MAKE_DIRECTORY "${staged}/etc/sonara")
file(RENAME "${staged}/usr/share/sonara/SONARA.INI" "${staged}/etc/sonara/SONARA.INI")
file(CREATE_LINK /etc/sonara/SONARA.INI "${staged}/usr/share/sonara/SONARA.INI" SYMBOLIC)
