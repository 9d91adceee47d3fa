// HRESULTs of COM and OLE automation beyond the basic ones of win32/base.h.
#pragma once

#include "win32/base.h"

#define DISP_E_MEMBERNOTFOUND static_cast<HRESULT>(0x80020003u)
#define DISP_E_PARAMNOTFOUND static_cast<HRESULT>(0x80020004u)
#define DISP_E_TYPEMISMATCH static_cast<HRESULT>(0x80020005u)
#define DISP_E_UNKNOWNNAME static_cast<HRESULT>(0x80020006u)
#define DISP_E_BADVARTYPE static_cast<HRESULT>(0x80020008u)
#define DISP_E_NONAMEDARGS static_cast<HRESULT>(0x80020007u)
#define DISP_E_EXCEPTION static_cast<HRESULT>(0x80020009u)
#define DISP_E_OVERFLOW static_cast<HRESULT>(0x8002000Au)
#define DISP_E_BADPARAMCOUNT static_cast<HRESULT>(0x8002000Eu)
#define TYPE_E_LIBNOTREGISTERED static_cast<HRESULT>(0x8002801Du)
#define TYPE_E_ELEMENTNOTFOUND static_cast<HRESULT>(0x8002802Bu)
#define CLASS_E_CLASSNOTAVAILABLE static_cast<HRESULT>(0x80040111u)
#define REGDB_E_CLASSNOTREG static_cast<HRESULT>(0x80040154u)
#define CONNECT_E_NOCONNECTION static_cast<HRESULT>(0x80040200u)
#define CONNECT_E_CANNOTCONNECT static_cast<HRESULT>(0x80040202u)
#define CO_E_CLASSSTRING static_cast<HRESULT>(0x800401F3u)
#ifndef E_UNEXPECTED
#define E_UNEXPECTED static_cast<HRESULT>(0x8000FFFFu)
#endif
