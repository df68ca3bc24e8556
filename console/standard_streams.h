#pragma once
// Makes standard input and output carry the protocol's bytes unchanged on
// every platform. Called before anything is read or written.

void useBinaryStandardStreams();
