// What the benchmark cases share: a scratch directory, plain whole-file
// reads and writes for the floors, and a window that shows nothing.
#pragma once

#include <string>
#include <string_view>

#include "platform/window.h"

namespace scenari::bench {

// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes.
class CartellaScratch {
 public:
  CartellaScratch();
  ~CartellaScratch();
  CartellaScratch(const CartellaScratch&) = delete;
  CartellaScratch& operator=(const CartellaScratch&) = delete;
  const std::string& percorso() const { return percorso_; }

 private:
  std::string percorso_;
};

// One open, one read of the whole size, one close.
std::string leggi_blocco(const std::string& percorso);
// One open (truncating), one write of all the bytes, one close.
void scrivi_blocco(const std::string& percorso, std::string_view byte);

class FinestraMuta : public platform::Window {
 public:
  void show(const std::string&, const std::string&) override {}
  void report_error(const std::string& message) override;
  void close() override {}
};

}  // namespace scenari::bench
