#include "bench/memoria.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace scenari::bench::memoria {

namespace {

std::atomic<std::size_t> byte_in_uso{0};
std::atomic<std::size_t> byte_picco{0};

void conta_allocazione(void* p) {
  const std::size_t ora = byte_in_uso.fetch_add(malloc_usable_size(p)) + malloc_usable_size(p);
  std::size_t visto = byte_picco.load(std::memory_order_relaxed);
  while (ora > visto && !byte_picco.compare_exchange_weak(visto, ora)) {
  }
}

void* prendi(std::size_t n) {
  void* p = std::malloc(n == 0 ? 1 : n);
  if (p == nullptr) throw std::bad_alloc();
  conta_allocazione(p);
  return p;
}

void* prendi_allineato(std::size_t n, std::align_val_t allineamento) {
  const auto a = static_cast<std::size_t>(allineamento);
  void* p = std::aligned_alloc(a, (n + a - 1) / a * a);
  if (p == nullptr) throw std::bad_alloc();
  conta_allocazione(p);
  return p;
}

void rendi(void* p) {
  if (p == nullptr) return;
  byte_in_uso.fetch_sub(malloc_usable_size(p));
  std::free(p);
}

}  // namespace

std::size_t in_uso() { return byte_in_uso.load(); }
std::size_t picco() { return byte_picco.load(); }
void azzera_picco() { byte_picco.store(byte_in_uso.load()); }

}  // namespace scenari::bench::memoria

using scenari::bench::memoria::prendi;
using scenari::bench::memoria::prendi_allineato;
using scenari::bench::memoria::rendi;

void* operator new(std::size_t n) { return prendi(n); }
void* operator new[](std::size_t n) { return prendi(n); }
void* operator new(std::size_t n, std::align_val_t a) { return prendi_allineato(n, a); }
void* operator new[](std::size_t n, std::align_val_t a) { return prendi_allineato(n, a); }
void operator delete(void* p) noexcept { rendi(p); }
void operator delete[](void* p) noexcept { rendi(p); }
void operator delete(void* p, std::size_t) noexcept { rendi(p); }
void operator delete[](void* p, std::size_t) noexcept { rendi(p); }
void operator delete(void* p, std::align_val_t) noexcept { rendi(p); }
void operator delete[](void* p, std::align_val_t) noexcept { rendi(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { rendi(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { rendi(p); }
