// The exceptions of the thread classes. They carry no data: their type says what happened.
#pragma once

class CException {};

// A running thread saw that its stop was requested.
class CExKilledByCtrl : public CException {};

// Waiting for a thread to end failed.
class CCtrlFailed : public CException {};
