#include "support/Program.h"

#include <stdexcept>

namespace korvane::test {

Program::Program() { InstallShippedData(Files); }

Program::~Program() { Stop(); }

TForm1& Program::Start() {
  Form = std::make_unique<TForm1>(Platform);
  Form->Show();
  return *Form;
}

void Program::Stop() {
  Form.reset();
  Platform.Application.MainForm = nullptr;
}

fake::WindowHandle Program::OpenEditor(const std::string& name) {
  fake::WindowHandle editor = Desktop.AddWindow(name, true);
  Desktop.Activate(editor);
  return editor;
}

std::vector<MemoryItem*> Program::Memories() const {
  std::vector<MemoryItem*> items;
  for (MemoryTable* table : {Form->LockedTable.get(), Form->UnlockedTable.get()}) {
    if (table == nullptr) continue;
    for (MemoryItem* item = table->Head; item != nullptr; item = item->Next) items.push_back(item);
  }
  return items;
}

std::vector<std::string> Program::Texts() const {
  std::vector<std::string> texts;
  for (MemoryItem* item : Memories()) texts.push_back(item->Text);
  return texts;
}

fake::FakePanel& Program::PanelOf(int number) const {
  auto items = Memories();
  if (number < 1 || number > static_cast<int>(items.size())) throw std::out_of_range("memory");
  return static_cast<fake::FakePanel&>(*items[number - 1]->Panel);
}

fake::FakeToggleButton& Program::LockOf(int number) const {
  auto items = Memories();
  if (number < 1 || number > static_cast<int>(items.size())) throw std::out_of_range("memory");
  return static_cast<fake::FakeToggleButton&>(*items[number - 1]->LockButton);
}

std::string Program::LogText() const {
  return Files.Bytes("log.txt").value_or("<none>");
}

}  // namespace korvane::test
