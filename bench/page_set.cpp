#include "page_set.h"

#include <random>

namespace linkmoor::bench {

namespace {

class PageWriter {
public:
  explicit PageWriter(std::uint32_t seed) : random_(seed) {}

  std::string page(int number, std::size_t size) {
    out_.clear();
    crlf_ = pick(3) == 0;
    head(number);
    while (out_.size() < size)
      block();
    line("</td></tr></table>");
    line("</BODY>");
    line("</HTML>");
    return std::move(out_);
  }

private:
  int pick(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }
  void line(const std::string &text) { out_ += text, out_ += crlf_ ? "\r\n" : "\n"; }
  std::string num() { return std::to_string(pick(500)); }

  std::string words(int count) {
    static const char *const vocabulary[] = {
        "the",     "site",  "page",    "of",      "and",      "information", "our",   "products",
        "service", "to",    "a",       "contact", "news",     "in",          "for",   "you",
        "with",    "more",  "about",   "new",     "download", "support",     "&amp;", "&nbsp;",
        "price",   "order", "quality", "company", "K\xf6ln",  "caf\xe9",     "year",  "is"};
    std::string text;
    for (int i = 0; i < count; ++i) {
      if (i) text += ' ';
      text += vocabulary[pick(static_cast<int>(std::size(vocabulary)))];
    }
    return text;
  }

  void head(int number) {
    line("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">");
    line("<HTML>");
    line("<HEAD>");
    line("<META http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">");
    line("<title>Page " + std::to_string(number) + " - " + words(4) + "</title>");
    line("<link rel=\"stylesheet\" href=\"../css/site.css\" type=\"text/css\">");
    line("<script type=\"text/javascript\" src=\"js/menu.js\"></script>");
    script();
    line("<style type=\"text/css\"> body { background: url(images/bg.gif); font: 12px "
         "Verdana; } td.cell { padding: 2px } </style>");
    line("</HEAD>");
    line("<BODY bgcolor=\"#FFFFFF\" background=\"images/back.jpg\" onLoad=\"init()\">");
    line("<table width=\"100%\" border=\"0\" cellpadding=\"0\"><tr><td valign=\"top\">");
  }

  void script() {
    line("<SCRIPT LANGUAGE=\"JavaScript\">");
    line("<!--");
    line("// image rollover for the menu " + words(3));
    line("function swap(img, src) { document.images[img].src = src; } /* menu */");
    line("var home = \"http://www.example.com/index.html\";");
    line("var back = 'images\\\\btn" + num() + ".gif'; // " + words(5));
    line("if (a < b && c > d) { msg = \"it's \\\"" + words(2) + "\\\"\"; }");
    line("/* " + words(8) + " */");
    line("document.write('<a href=\"page" + num() + ".htm\">' + msg + '</a>');");
    line("//-->");
    line("</SCRIPT>");
  }

  void block() {
    switch (pick(12)) {
    case 0:
    case 1:
    case 2:
      line("<p>" + words(20 + pick(40)) + " <b>" + words(3) + "</b> " + words(10) + "</p>");
      break;
    case 3:
      line("<a href=\"section" + num() + "/page" + num() + ".htm\">" + words(3) + "</a> | " +
           "<A HREF=\"../Docs/Item" + num() + ".html#part" + num() + "\">" + words(2) + "</A>");
      break;
    case 4:
      line("<A HREF=\"http://www.site" + num() + ".org/docs/x" + num() + ".html\" " +
           "TARGET=\"_blank\">" + words(3) + "</A> (see http://www.example.com/ too)");
      break;
    case 5:
      line("<img src=\"images/pic" + num() + ".gif\" width=\"100\" height=\"50\" alt=\"" +
           words(2) + "\" border=\"0\"><br>");
      break;
    case 6:
      line("<!-- " + words(6) + " -->");
      break;
    case 7:
      line("<tr><td class=\"cell\" bgcolor=\"#EEEEEE\">" + words(6) + "</td><td>" + words(4) +
           "</td></tr>");
      break;
    case 8:
      line("<form action=\"/cgi-bin/search.cgi\" method=\"post\"><input type=\"text\" "
           "name=\"q\" value=\"\" size=\"20\"><input type=\"submit\" value=\"Go\"></form>");
      break;
    case 9:
      line("<a href=\"mailto:info@example.com\">Mail</a> <a href=\"javascript:openWin('help" +
           num() + ".htm')\">Help</a> <a href=\"#top\">Top</a>");
      break;
    case 10:
      script();
      break;
    default:
      line("<div style=\"background-image: url(http://cdn.example.net/bg" + num() + ".png)\">" +
           words(12) + "</div>");
      break;
    }
  }

  std::mt19937 random_;
  std::string out_;
  bool crlf_ = false;
};

} // namespace

std::vector<std::string> makePageSet(std::size_t totalBytes, std::uint32_t seed) {
  PageWriter writer(seed);
  std::mt19937 sizes(seed + 1);
  std::vector<std::string> pages;
  std::size_t total = 0;
  while (total < totalBytes) {
    const std::size_t size = 20000 + sizes() % 100000;
    pages.push_back(writer.page(static_cast<int>(pages.size()), size));
    total += pages.back().size();
  }
  return pages;
}

} // namespace linkmoor::bench
