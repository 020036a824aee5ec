#pragma once
// The printing module (render/pdf_book.h, render/graph_book.h), opened with
// dlopen the first time an option needs Qt's drawing, so that the program
// itself links no Qt.
namespace novarel::cli {

// The module's entry point of that name, or none with the reason said on
// stderr under the option's name ("--pdf cannot load the printing module ...").
void* RenderModuleEntry(const char* option, const char* entry);

}  // namespace novarel::cli
