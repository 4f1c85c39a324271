# The link library's POSIX part: termios serial lines, pseudo-terminals,
# Unix-domain sockets for named pipes, POSIX shared memory and BSD sockets.
target_sources(vcom PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/CPipeLayer1.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CPseudoTerminal.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CSerialLayer1.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CSerialPortLock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CSharedMemoryLayer1.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SocketPlatform.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ThreadPriority.cpp
)
