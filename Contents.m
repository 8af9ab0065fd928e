% Winscore: window scoring plug-ins
% Version 0.1.0 08-Dec-2026
%
% Integral histogram and contrast
%   tallyplane    - Integral histogram of a quantised image.
%   ringdiff      - Chi-square contrast between each window and a ring around it.
%
% Grid windows
%   gridsweep     - Score every window of a square grid from two integral images.
%   peakpick      - Local maxima of a 4-D window score array.
%
% Window selection
%   drawweighted  - Draw indices at random in proportion to their scores.
%   greedypick    - Keep windows in order, dropping those a kept one overlaps.
%
% Demo and build
%   winscore_demo  - The window-scoring pipeline on an image, drawn to a PNG.
%   winscore_build - Compile the plug-ins without CMake (Octave or MATLAB).
