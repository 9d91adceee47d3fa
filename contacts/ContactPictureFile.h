// The file a contact's picture passes through on its way into Outlook, which takes
// pictures only from files: "ContactPicture.<ext>" in a folder of the user's own
// application data, created afresh (never an existing file or link taken over) and
// deleted when the object goes.
#pragma once

#include <string>
#include <vector>

class ContactPictureFile {
 public:
  ContactPictureFile() = default;
  ~ContactPictureFile();
  ContactPictureFile(const ContactPictureFile&) = delete;
  ContactPictureFile& operator=(const ContactPictureFile&) = delete;

  // Writes the bytes; false, with nothing left behind, when the file cannot be made.
  bool Create(const std::vector<unsigned char>& bytes, const std::string& extension);
  // The file's Windows path; empty until Create succeeded.
  const std::string& Path() const { return m_path; }

 private:
  // The private folder, made when missing; "" when it cannot be had.
  static std::string _Folder();

  std::string m_path;
};
