// md_sim gets its virtual bus and devices here.
namespace md::sim {}
