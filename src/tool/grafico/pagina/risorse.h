// The page's script, style and body, read from pagina/ into the build.
#pragma once

namespace scenari::tool {

extern const char* const script_visore;
extern const char* const script_dal_vivo;  // the served page's: newer data from the server's events
extern const char* const stile_visore;
extern const char* const corpo_visore;  // the body's opening tag and elements, up to the data

}  // namespace scenari::tool
