// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Result codes of the Vcom operations, and the codes of the status and link
// events the stack reports through OnStatus and OnLinkEvent.

inline constexpr int kVcomOk = 0;
inline constexpr int kVcomAlreadyConnected = -10001;
inline constexpr int kVcomNoSession = -10002;
inline constexpr int kVcomLayer1OpenFailed = -10003;
inline constexpr int kVcomUnknownLayer1 = -10004;
inline constexpr int kVcomUnknownLayer2 = -10005;
inline constexpr int kVcomCommThreadFailed = -10006;
inline constexpr int kVcomConnectException = -10007;
inline constexpr int kVcomNotConnected = -10008;
inline constexpr int kVcomNoMessage = -10009;       // Receive: nothing waiting
inline constexpr int kVcomLengthTooSmall = -10009;  // Send: length below 1
inline constexpr int kVcomTooLong = -10010;         // Send: above the maximum message size
inline constexpr int kVcomBufferTooSmall = -10010;  // Receive: message longer than the buffer
inline constexpr int kVcomBadBuffer = -10017;
inline constexpr int kVcomQueueFailed = -10018;
inline constexpr int kVcomDisconnectException = -10019;
inline constexpr int kVcomSessionNotRunning = -10020;
// Construction results of the socket and multicast transports.
inline constexpr int kVcomSocketTextMissing = -10011;
inline constexpr int kVcomSocketLibraryFailed = -10012;  // never on POSIX: nothing to start
inline constexpr int kVcomBadAddress = -10013;
inline constexpr int kVcomWrongWordCount = -10014;
inline constexpr int kVcomBadAddressType = -10015;  // a client's address is neither IP nor SN
inline constexpr int kVcomUnknownSocketMode = -10016;
inline constexpr int kVcomNotificationWindowFailed = -10021;  // never on POSIX

// Status events (code, parameter).
inline constexpr int kStatusSerialOpenFailed = 1;
// A named pipe's read or write failed; the pipe is closed.
inline constexpr int kStatusPipeFailed = 0;
// The serial line hung up or failed while open; the parameter is the system's
// error number, 0 for a hang-up. The line is then lost.
inline constexpr int kStatusSerialLineFailed = 0x2007;
inline constexpr int kStatusCommThreadFailed = 0x2000;
inline constexpr int kStatusUnknownLayer1 = 0x2001;
inline constexpr int kStatusUnknownLayer2 = 0x2002;
inline constexpr int kStatusFragmentRefused = 0x2004;
inline constexpr int kStatusReceiveStoreFailed = 0x2005;
// A reassembled message grew past the maximum message size and was dropped;
// the parameter is the size it would have reached.
inline constexpr int kStatusReassemblyOverflow = 0x2006;

// Status events of the socket and multicast transports; the parameter is the
// system's error number (a lookup's EAI code for kStatusLookupFailed) or 0.
inline constexpr int kStatusSocketCallFailed = 3;  // the socket transport's line is then lost
inline constexpr int kStatusConnectFailed = 4;     // a client's connect failed; tried again
inline constexpr int kStatusNoSocketLibrary = 6;   // open without a usable sockets library
inline constexpr int kStatusNoOwnerToAccept = 7;
inline constexpr int kStatusConnectionThreadFailed = 8;
inline constexpr int kStatusLookupFailed = 11;
inline constexpr int kStatusBlockingModeFailed = 15;
inline constexpr int kStatusJoinFailed = 16;
inline constexpr int kStatusLeaveFailed = 17;
inline constexpr int kStatusMulticastTtlFailed = 18;
inline constexpr int kStatusAcceptFailed = 20;

// Link events.
inline constexpr int kLinkEventCheckFailed = 0x1000;
inline constexpr int kLinkEventFrameTimeout = 0x1001;

// Fragment types exchanged between the session and Layer 2.
inline constexpr int kFragmentWhole = 0;
inline constexpr int kFragmentFirst = 1;
inline constexpr int kFragmentMiddle = 2;
inline constexpr int kFragmentLast = 3;
