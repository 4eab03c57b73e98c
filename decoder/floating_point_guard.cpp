// FloatingPointGuard over the x87 control word and MXCSR.
#include "floating_point_guard.h"

#include <xmmintrin.h>

namespace {

constexpr uint16_t kDefaultX87Control = 0x027F;  // 53-bit precision, to nearest, all masked
constexpr uint32_t kDefaultSseControl = 0x1F80;  // to nearest, no flush to zero, all masked

uint16_t X87Control() {
  uint16_t control;
  __asm__ __volatile__("fnstcw %0" : "=m"(control));
  return control;
}

void SetX87Control(uint16_t control) { __asm__ __volatile__("fldcw %0" : : "m"(control)); }

}  // namespace

FloatingPointGuard::FloatingPointGuard() : callersX87Control_(X87Control()), callersSseControl_(_mm_getcsr()) {
  SetX87Control(kDefaultX87Control);
  _mm_setcsr(kDefaultSseControl);
}

FloatingPointGuard::~FloatingPointGuard() {
  // Exceptions raised here stay here: the caller may have unmasked them.
  __asm__ __volatile__("fnclex");
  SetX87Control(callersX87Control_);
  _mm_setcsr(callersSseControl_);
}
