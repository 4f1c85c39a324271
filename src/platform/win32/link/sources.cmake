# The link library's Win32 part: COM ports, named pipes, file mappings and
# Winsock.
target_sources(vcom PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/CPipeLayer1.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CSerialLayer1.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CSharedMemoryLayer1.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SocketPlatform.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ThreadPriority.cpp
)
target_link_libraries(vcom PUBLIC ws2_32 iphlpapi)
