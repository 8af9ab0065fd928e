function [q, varargout] = quantise (img, bins, varargin)
%QUANTISE  Quantise an image's colours into bin numbers 1..BINS.
%   Q = winscore.quantise(IMG, BINS) is a double matrix of size(IMG, 1) x
%   size(IMG, 2) holding a bin number from 1 to BINS for every pixel, ready
%   for winscore.contrast or TALLYPLANE.
%
%   IMG is a grey (R x C) or RGB (R x C x 3) image of any numeric or logical
%   class, sparse too. Integer classes span their full range (uint8 0..255
%   is 0..1; an image using less than an eighth of it, 12-bit data in
%   uint16, gets a warning); single and double images hold 0..1 (values
%   more than 0.05 outside it are refused: 0..255 data needs im2double or a
%   division by 255) and are clipped to it; NaN pixels count as 0, in every
%   channel they appear in; logical is 0 or 1.
%   - RGB: BINS must be a whole cube L^3 (8, 27, 64, 125, ...). Each channel
%     v in 0..1 gets the level l = min(floor(v*L), L-1) in 0..L-1, and the
%     pixel the bin 1 + lR + L*lG + L^2*lB.
%   - Grey: BINS levels of the one channel, bin 1 + min(floor(v*BINS), BINS-1).
%
%   Example:
%     img = zeros (2, 3, 3);  img(1, :, 1) = 1;   % top row red, bottom black
%     q = winscore.quantise (img, 8)              % [2 2 2; 1 1 1]
%
%   See also WINSCORE.CONTRAST, WINSCORE.PROPOSE, TALLYPLANE.

% SPDX-License-Identifier: MIT

  winscore.internal.counts ('quantise', nargin, 2, nargout, 1, 'an image and a bin count');
  img = winscore.internal.checkImage ('quantise', img);
  bins = winscore.internal.scalar ('quantise', 'bins', bins, 1, 2 ^ 31 - 1, true);
  winscore.internal.levels ('quantise', bins, img);
  q = winscore.internal.ringcontrast ('quantise', full (img), bins);
end
