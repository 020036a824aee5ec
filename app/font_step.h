#pragma once
// The step of the Data window's Increase and Decrease, chosen from the screen.
namespace novarel {

// Screen width in pixels: width in twips over twips per pixel, rounded.
int ScreenWidthPixels(double widthTwips, double twipsPerPixel);

// 640 pixels: 1.5; 800 pixels: 1.5, but 1.2 at 12 twips per pixel; any other
// width: 1.2, but 1.5 at 15 twips per pixel.
double FontStepFor(int screenWidthPixels, double twipsPerPixel);

}  // namespace novarel
