% Winscore: window scoring toolbox
% Version 0.1.0 08-Dec-2026
%
% From an image to windows (package functions, called with the prefix)
%   winscore.propose      - The windows of an image that stand out from their surroundings.
%   winscore.draw         - A copy of an image with windows drawn on it.
%
% Many images (package functions)
%   winscore.proposeFiles - The windows of many images, into one results file, resumable and parallel.
%   winscore.mergeResults - Join the results files of the shards of a batch into one.
%
% Building blocks: boxes are N x 4 [xmin ymin xmax ymax], indices 1-based
%   winscore.quantise     - Quantise an image's colours into bin numbers 1..BINS.
%   winscore.contrast     - Centre-surround colour contrast of windows in a quantised image.
%   winscore.select       - Greedy overlap suppression: the best windows that overlap little.
%   winscore.overlap      - Overlap ratios between two lists of boxes.
%   winscore.sample       - Draw indices at random in proportion to their scores.
%   winscore.gridPeaks    - The best windows of a coarse grid: local maxima of grid-window scores.
%   winscore.convertBoxes - Boxes from one corner convention to another.
%
% Options come as name-value pairs, names and text values char or string,
% names in any case and shortened to a unique beginning ('cand').
%
% Plug-ins: integral histogram and contrast
%   tallyplane    - Integral histogram of a quantised image.
%   ringdiff      - Chi-square contrast between each window and a ring around it.
%
% Plug-ins: grid windows
%   gridsweep     - Score every window of a square grid from two integral images.
%   peakpick      - Local maxima of a 4-D window score array.
%
% Plug-ins: window selection
%   drawweighted  - Draw indices at random in proportion to their scores.
%   greedypick    - Keep windows in order, dropping those a kept one overlaps.
%
% Demo
%   winscore_demo - The toolbox on an image, drawn to a PNG.
%
% Help on each: help winscore.propose, help tallyplane, ...
% Building without CMake: winscore_build.m in the source folder (help there).
