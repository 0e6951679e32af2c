#include "esecuzione/uscite.h"

namespace scenari {

namespace {

class VersoFile : public Destinazione {
 public:
  explicit VersoFile(platform::ByteSink& sink) : sink_(sink) {}
  void scrivi(std::size_t offset, std::string_view byte) override { sink_.write_at(offset, byte); }

 private:
  platform::ByteSink& sink_;
};

}  // namespace

std::vector<platform::OutputFile> uscite_in(const std::string& cartella,
                                            const std::vector<FileBinario>& file) {
  std::vector<platform::OutputFile> uscite;
  for (const FileBinario& f : file) {
    uscite.push_back({platform::join(cartella, f.nome), [codifica = f.codifica](platform::ByteSink& s) {
                        VersoFile verso(s);
                        codifica(verso);
                      }});
  }
  return uscite;
}

}  // namespace scenari
