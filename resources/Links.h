#pragma once
// Addresses behind the link texts and pictures. They lie in the reserved
// .example domain, so that a click never reaches a real site or person. The
// label texts are short because the labels are narrow: at Arial 19 px bold the
// host line must fit 170 px, the path line 75 px and the mail address 168 px.

namespace links {

// The maker's web page, shown on two lines: host with slash, then the path.
inline constexpr char kMakerHostLine[] = "www.qw.example/";
inline constexpr char kMakerPathLine[] = "mirvo/";
inline constexpr char kMakerUrl[] = "http://www.qw.example/mirvo/";

// The maker's mail address and the link that opens a new message to it.
inline constexpr char kMailAddress[] = "info@qw.example";
inline constexpr char kMailUrl[] = "mailto:info@qw.example";

// The partner whose logo the main window shows.
inline constexpr char kPartnerUrl[] = "http://www.velonta.example/";

}  // namespace links
